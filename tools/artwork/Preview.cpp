#include "Preview.h"

namespace Preview
{
    namespace
    {
        void drawDisplay (juce::Graphics& g, const SkinLayout::Control& display, const juce::Image& font, const juce::String& text)
        {
            using namespace SkinLayout;
            g.setColour (juce::Colour (displayBackgroundArgb));
            g.fillRect (display.bounds);

            const int columns = display.bounds.getWidth() / fontGlyphWidth;
            const int left = display.bounds.getX() + (display.bounds.getWidth() % fontGlyphWidth) / 2;
            const int top = display.bounds.getY() + (display.bounds.getHeight() - fontHeight) / 2;

            for (int column = 0; column < columns; ++column)
            {
                const int code = column < text.length() ? (int) text[column] : ' ';
                const int glyph = juce::jlimit (0, fontGlyphCount - 1, code - fontFirstCharacter);
                g.drawImage (font, left + column * fontGlyphWidth, top, fontGlyphWidth, fontHeight,
                             0, glyph * fontHeight, fontGlyphWidth, fontHeight);
            }
        }
    }

    juce::Image compose (const juce::Image& background, const std::map<juce::String, juce::Image>& filmstrips,
                         const juce::Image& font, const juce::String& presetName)
    {
        auto panel = background.createCopy();
        juce::Graphics g (panel);

        for (auto& control : SkinLayout::controls())
        {
            if (control.name == "LFO1RateSwitch" || control.name == "LFO2RateSlider")
                continue;

            if (control.look == SkinLayout::Look::presetDisplay)
            {
                drawDisplay (g, control, font, presetName);
                continue;
            }

            const auto found = filmstrips.find (control.resourceName());

            if (found == filmstrips.end())
                continue;

            const auto& strip = found->second;
            const int frameHeight = strip.getHeight() / control.frames;
            // A toggle shows its "on" frame (2 of 4) rather than a frame by value.
            const int frame = control.look == SkinLayout::Look::bbdButton ? (control.previewValue >= 0.5f ? 2 : 0)
                                                                          : SkinLayout::frameForValue (control.previewValue, control.frames);
            g.drawImage (strip, control.bounds.getX(), control.bounds.getY(), strip.getWidth(), frameHeight,
                         0, frame * frameHeight, strip.getWidth(), frameHeight);
        }

        return panel;
    }
}
