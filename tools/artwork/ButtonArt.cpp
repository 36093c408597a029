#include "ButtonArt.h"

#include "Palette.h"

namespace ButtonArt
{
    namespace
    {
        void drawLegend (juce::Graphics& g, const Engraving& engraving, SkinLayout::Look look,
                         juce::Rectangle<float> face, juce::Colour colour)
        {
            const auto c = face.getCentre();
            g.setColour (colour);

            switch (look)
            {
                case SkinLayout::Look::previousButton:
                case SkinLayout::Look::nextButton:
                {
                    const float d = look == SkinLayout::Look::nextButton ? 1.0f : -1.0f;
                    juce::Path arrow;
                    arrow.addTriangle (c.x - d * 2.5f, c.y - 4.0f, c.x - d * 2.5f, c.y + 4.0f, c.x + d * 3.5f, c.y);
                    g.fillPath (arrow);
                    break;
                }

                case SkinLayout::Look::browseButton:
                    // A list: three lines with bullets.
                    for (int i = -1; i <= 1; ++i)
                    {
                        const float y = c.y + (float) i * 3.0f;
                        g.fillRect (c.x - 4.5f, y - 0.75f, 1.5f, 1.5f);
                        g.fillRect (c.x - 1.5f, y - 0.75f, 6.0f, 1.5f);
                    }
                    break;

                default:
                    g.setFont (engraving.getFonts().caption (8.5f));
                    g.drawText ("OPTIONS", face, juce::Justification::centred, false);
                    break;
            }
        }
    }

    void drawPushButton (juce::Graphics& g, const Engraving& engraving, SkinLayout::Look look,
                         juce::Rectangle<float> area, bool pressed)
    {
        const auto body = area.reduced (0.5f);
        const float corner = 2.5f;

        // Bezel: the hole in the top bar the button sits in.
        g.setColour (juce::Colours::black);
        g.fillRoundedRectangle (body, corner);

        auto face = body.reduced (1.0f);

        if (pressed)
            face = face.withTrimmedTop (1.0f);
        else
            face = face.withTrimmedBottom (1.0f);

        g.setGradientFill (juce::ColourGradient (pressed ? juce::Colour (0xff2a2a2c) : juce::Colour (0xff4a4b4f), 0.0f, face.getY(),
                                                 pressed ? juce::Colour (0xff1c1c1e) : juce::Colour (0xff232326), 0.0f, face.getBottom(), false));
        g.fillRoundedRectangle (face, corner - 0.5f);

        if (! pressed)
        {
            g.setColour (juce::Colours::white.withAlpha (0.22f));
            g.drawHorizontalLine ((int) face.getY(), face.getX() + 2.0f, face.getRight() - 2.0f);
        }

        drawLegend (g, engraving, look, face, pressed ? Palette::amber : Palette::print);
    }

    void drawLampButton (juce::Graphics& g, juce::Rectangle<float> area, bool on, bool pressed)
    {
        const auto bezel = area.reduced (0.5f);

        g.setColour (juce::Colours::black.withAlpha (0.5f));
        g.fillRoundedRectangle (bezel.translated (0.0f, 1.0f), 3.0f);
        g.setGradientFill (juce::ColourGradient (Palette::chromeLight, 0.0f, bezel.getY(),
                                                 Palette::chromeDark, 0.0f, bezel.getBottom(), false));
        g.fillRoundedRectangle (bezel, 3.0f);
        g.setColour (juce::Colours::black);
        g.fillRoundedRectangle (bezel.reduced (2.0f), 2.0f);

        auto lens = bezel.reduced (3.0f);

        if (pressed)
            lens = lens.reduced (0.8f).translated (0.0f, 0.6f);

        const auto glow = on ? Palette::amber : Palette::amberDark;
        const auto edge = on ? juce::Colour (0xffc26a10) : juce::Colour (0xff1e1206);
        g.setGradientFill (juce::ColourGradient (glow.brighter (on ? 0.4f : 0.2f), lens.getCentreX(), lens.getCentreY() - 2.0f,
                                                 edge, lens.getCentreX(), lens.getBottom() + 4.0f, true));
        g.fillRoundedRectangle (lens, 1.5f);

        if (pressed)
        {
            g.setColour (juce::Colours::black.withAlpha (0.25f));
            g.fillRoundedRectangle (lens, 1.5f);
        }

        // Reflection across the top of the lens.
        g.setColour (juce::Colours::white.withAlpha (on ? 0.35f : 0.18f));
        g.fillRoundedRectangle (lens.withHeight (lens.getHeight() * 0.35f).reduced (1.5f, 0.5f).translated (0.0f, 0.5f), 1.0f);
    }
}
