#include "OptionsArt.h"
#include "Polyline.h"

namespace
{
    constexpr int side = 22;
    const juce::Colour ink (0xff2a2a2a);

    /** A small bevelled grey square the symbol sits on, in the greys of the windows. */
    juce::Image drawFace()
    {
        juce::Image image (juce::Image::ARGB, side, side, true);
        juce::Graphics g (image);
        const auto face = juce::Rectangle<float> (0.5f, 0.5f, side - 1.0f, side - 1.0f);
        g.setGradientFill (juce::ColourGradient (juce::Colour (0xfff0f0f0), 0.0f, 0.0f,
                                                 juce::Colour (0xffb4b4b4), 0.0f, (float) side, false));
        g.fillRoundedRectangle (face, 3.0f);
        g.setColour (juce::Colours::white.withAlpha (0.5f));
        g.drawHorizontalLine (2, 3.0f, side - 3.0f);
        g.setColour (juce::Colour (0xff444444));
        g.drawRoundedRectangle (face, 3.0f, 1.0f);
        return image;
    }

    void strokeInk (juce::Graphics& g, const juce::Path& path, float thickness)
    {
        g.setColour (ink);
        g.strokePath (path, juce::PathStrokeType (thickness, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    /** "Delete selected assignation": one row of a list, struck out. */
    void drawDelete (juce::Graphics& g)
    {
        g.setColour (ink);
        g.fillRect (5, 10, 12, 2);
        juce::Path cross;
        cross.startNewSubPath (13.0f, 13.0f); cross.lineTo (18.0f, 18.0f);
        cross.startNewSubPath (18.0f, 13.0f); cross.lineTo (13.0f, 18.0f);
        g.setColour (juce::Colour (0xffb02418));
        g.strokePath (cross, juce::PathStrokeType (2.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    }

    /** "Clear all map": a waste bin. */
    void drawClear (juce::Graphics& g)
    {
        strokeInk (g, polyline ({ { 7.0f, 8.0f }, { 8.0f, 17.5f }, { 14.0f, 17.5f }, { 15.0f, 8.0f } }), 1.5f);

        juce::Path lid;
        lid.startNewSubPath (5.5f, 6.0f); lid.lineTo (16.5f, 6.0f);
        lid.startNewSubPath (9.5f, 4.5f); lid.lineTo (12.5f, 4.5f);
        lid.startNewSubPath (9.75f, 10.0f); lid.lineTo (10.0f, 15.5f);
        lid.startNewSubPath (12.25f, 10.0f); lid.lineTo (12.0f, 15.5f);
        strokeInk (g, lid, 1.2f);
    }

    /** "Open map": a folder. */
    void drawOpen (juce::Graphics& g)
    {
        strokeInk (g, polyline ({ { 4.5f, 16.5f }, { 4.5f, 6.0f }, { 8.5f, 6.0f }, { 10.0f, 7.5f }, { 16.0f, 7.5f }, { 16.0f, 9.5f } }), 1.4f);

        const auto front = polyline ({ { 4.5f, 16.5f }, { 7.0f, 10.0f }, { 18.0f, 10.0f }, { 15.5f, 16.5f } }, true);
        g.setColour (juce::Colour (0xffe0b050));
        g.fillPath (front);
        strokeInk (g, front, 1.4f);
    }

    /** "Save current map": a diskette. */
    void drawSave (juce::Graphics& g)
    {
        const auto disk = polyline ({ { 5.0f, 5.0f }, { 14.5f, 5.0f }, { 17.0f, 7.5f }, { 17.0f, 17.0f }, { 5.0f, 17.0f } }, true);
        g.setColour (juce::Colour (0xff4a5a78));
        g.fillPath (disk);
        strokeInk (g, disk, 1.2f);

        g.setColour (juce::Colour (0xffe8e8e8));
        g.fillRect (7, 5, 7, 4);
        g.fillRect (7, 12, 8, 5);
        g.setColour (ink);
        g.fillRect (12, 6, 1, 2);
    }
}

juce::String OptionsArt::pictureFileName (int number)
{
    return "Picture" + juce::String (number) + ".png";
}

std::map<int, juce::Image> OptionsArt::renderPictures()
{
    const std::pair<int, void (*) (juce::Graphics&)> symbols[] { { 4, drawDelete }, { 12, drawClear },
                                                                 { 15, drawOpen }, { 16, drawSave } };
    std::map<int, juce::Image> pictures;

    for (auto [number, drawSymbol] : symbols)
    {
        auto image = drawFace();
        juce::Graphics g (image);
        drawSymbol (g);
        pictures[number] = image;
    }

    return pictures;
}
