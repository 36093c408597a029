#include "BrowserArt.h"
#include "Polyline.h"

#include <functional>

namespace
{
    const juce::Colour ink { 0xff3a3a3a };
    const juce::Colour paper { 0xfffbfbf8 };
    const juce::Colour folderBack { 0xff9c8f6e };
    const juce::Colour folderFront { 0xffd9c48f };
    const juce::Colour selectedInk { 0xffffffff };
    const juce::Colour buttonTop { 0xfff2f2f2 };
    const juce::Colour buttonBottom { 0xffb8b8b8 };
    const juce::Colour buttonOutline { 0xff5b5b5b };
    const juce::Colour glyphInk { 0xff303030 };
    const juce::Colour accent { 0xffd06a12 };

    juce::Image blank (int size)
    {
        return juce::Image (juce::Image::ARGB, size, size, true);
    }

    /** A folder: tabbed back, lighter front leaf. */
    juce::Image drawFolder (bool selected)
    {
        auto image = blank (BrowserArt::iconSize);
        juce::Graphics g (image);
        const auto back = selected ? selectedInk.withAlpha (0.85f) : folderBack;
        const auto front = selected ? selectedInk : folderFront;

        juce::Path tab;
        tab.addRoundedRectangle (2.0f, 3.5f, 7.0f, 4.0f, 1.0f);
        tab.addRoundedRectangle (2.0f, 5.0f, 14.0f, 10.0f, 1.5f);
        g.setColour (back);
        g.fillPath (tab);

        const auto leaf = polyline ({ { 3.5f, 8.0f }, { 17.0f, 8.0f }, { 15.5f, 15.0f }, { 2.0f, 15.0f } }, true);
        g.setColour (front);
        g.fillPath (leaf);
        g.setColour (selected ? juce::Colour (0xff6e6e6e) : ink);
        g.strokePath (leaf, juce::PathStrokeType (0.8f));
        g.strokePath (tab, juce::PathStrokeType (0.8f));
        return image;
    }

    /** A sheet with a folded corner and a waveform on it. */
    juce::Image drawSheet (bool selected)
    {
        auto image = blank (BrowserArt::iconSize);
        juce::Graphics g (image);

        const auto sheet = polyline ({ { 4.0f, 1.5f }, { 11.5f, 1.5f }, { 15.0f, 5.0f }, { 15.0f, 16.5f }, { 4.0f, 16.5f } }, true);
        g.setColour (paper);
        g.fillPath (sheet);
        g.setColour (selected ? juce::Colour (0xff6e6e6e) : ink);
        g.strokePath (sheet, juce::PathStrokeType (0.9f));

        g.strokePath (polyline ({ { 11.5f, 1.5f }, { 11.5f, 5.0f }, { 15.0f, 5.0f } }), juce::PathStrokeType (0.8f));

        juce::Path wave;
        for (int i = 0; i <= 16; ++i)
        {
            const float x = 5.5f + 8.0f * (float) i / 16.0f;
            const float y = 10.5f - 2.8f * std::sin ((float) i / 16.0f * juce::MathConstants<float>::twoPi * 1.5f);
            i == 0 ? wave.startNewSubPath (x, y) : wave.lineTo (x, y);
        }
        g.setColour (selected ? accent : ink);
        g.strokePath (wave, juce::PathStrokeType (1.2f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
        return image;
    }

    /** The bevelled face every browser button shares. */
    void drawButtonFace (juce::Graphics& g)
    {
        const auto area = juce::Rectangle<float> (0.0f, 0.0f, (float) BrowserArt::buttonSize, (float) BrowserArt::buttonSize).reduced (1.5f);
        g.setGradientFill (juce::ColourGradient (buttonTop, 0.0f, area.getY(), buttonBottom, 0.0f, area.getBottom(), false));
        g.fillRoundedRectangle (area, 4.0f);
        g.setColour (buttonOutline);
        g.drawRoundedRectangle (area, 4.0f, 1.0f);
        g.setColour (juce::Colours::white.withAlpha (0.6f));
        g.drawHorizontalLine (2, area.getX() + 3.0f, area.getRight() - 3.0f);
    }

    juce::Image drawButton (const std::function<void (juce::Graphics&)>& glyph)
    {
        auto image = blank (BrowserArt::buttonSize);
        juce::Graphics g (image);
        drawButtonFace (g);

        // The glyphs are drawn on a 30-pixel grid.
        g.addTransform (juce::AffineTransform::scale ((float) BrowserArt::buttonSize / 30.0f));
        g.setColour (glyphInk);
        glyph (g);
        return image;
    }

    void drawSign (juce::Graphics& g, float cx, float cy, bool plus)
    {
        g.setColour (accent);
        g.fillRect (cx - 3.5f, cy - 1.0f, 7.0f, 2.0f);

        if (plus)
            g.fillRect (cx - 1.0f, cy - 3.5f, 2.0f, 7.0f);
    }

    void drawFolderGlyph (juce::Graphics& g, bool plus)
    {
        g.drawImageAt (drawFolder (false), 5, 6);
        drawSign (g, 21.0f, 20.0f, plus);
    }

    void drawPagesGlyph (juce::Graphics& g)
    {
        const auto sheet = drawSheet (false);
        g.drawImageAt (sheet, 4, 4);
        g.drawImageAt (sheet, 9, 9);
    }

    void drawClipboardGlyph (juce::Graphics& g)
    {
        g.setColour (juce::Colour (0xff8a6a3e));
        g.fillRoundedRectangle (8.0f, 6.0f, 14.0f, 18.0f, 2.0f);
        g.setColour (glyphInk);
        g.drawRoundedRectangle (8.0f, 6.0f, 14.0f, 18.0f, 2.0f, 1.0f);
        g.setColour (paper);
        g.fillRect (10.0f, 9.0f, 10.0f, 13.0f);
        g.setColour (juce::Colour (0xff909090));
        g.fillRoundedRectangle (12.0f, 4.5f, 6.0f, 3.5f, 1.0f);
        g.setColour (glyphInk);

        for (float y : { 12.0f, 15.0f, 18.0f })
            g.fillRect (12.0f, y, 6.0f, 1.0f);
    }

    void drawArrowGlyph (juce::Graphics& g, bool up)
    {
        juce::Path arrow;
        arrow.addTriangle (15.0f, 8.0f, 22.0f, 16.0f, 8.0f, 16.0f);
        arrow.addRectangle (12.5f, 15.5f, 5.0f, 6.5f);

        if (! up)
            arrow.applyTransform (juce::AffineTransform::verticalFlip (30.0f));

        g.fillPath (arrow);
    }
}

std::map<juce::String, juce::Image> BrowserArt::renderAll()
{
    return {
        { "BrowserGroupIcon.png",           drawFolder (false) },
        { "BrowserGroupIconSelected.png",   drawFolder (true) },
        { "BrowserPresetIcon.png",          drawSheet (false) },
        { "BrowserPresetIconSelected.png",  drawSheet (true) },
        { "BrowserAddGroupButton.png",      drawButton ([] (juce::Graphics& g) { drawFolderGlyph (g, true); }) },
        { "BrowserRemoveGroupButton.png",   drawButton ([] (juce::Graphics& g) { drawFolderGlyph (g, false); }) },
        { "BrowserCopyButton.png",          drawButton (drawPagesGlyph) },
        { "BrowserPasteButton.png",         drawButton (drawClipboardGlyph) },
        { "BrowserUpButton.png",            drawButton ([] (juce::Graphics& g) { drawArrowGlyph (g, true); }) },
        { "BrowserDownButton.png",          drawButton ([] (juce::Graphics& g) { drawArrowGlyph (g, false); }) }
    };
}
