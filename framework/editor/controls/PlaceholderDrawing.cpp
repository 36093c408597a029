#include "PlaceholderDrawing.h"

namespace PlaceholderDrawing
{
    juce::Colour grey (float level)
    {
        const auto component = (juce::uint8) (juce::jlimit (0.0f, 1.0f, level) * 255.0f);
        return juce::Colour (component, component, component);
    }

    void drawOutline (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour)
    {
        g.setColour (colour);
        g.drawRect (area, 1);
    }

    void drawTopAndBottomTexts (juce::Graphics& g, juce::Rectangle<int> area,
                                const juce::String& topText, const juce::String& bottomText)
    {
        constexpr int maximumLines = 2;
        constexpr float minimumHorizontalScale = 0.7f;

        g.setColour (juce::Colours::black);
        g.drawFittedText (topText, area, juce::Justification::centredTop, maximumLines, minimumHorizontalScale);
        g.drawFittedText (bottomText, area, juce::Justification::centredBottom, maximumLines, minimumHorizontalScale);
    }

    void drawDotSquare (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, float dotDiameter)
    {
        constexpr int side = 16;
        const juce::Rectangle<int> square (juce::jmax (0, (area.getWidth() - side) / 2),
                                           juce::jmax (0, (area.getHeight() - side) / 2),
                                           side, side);
        g.setColour (fill);
        g.fillRect (square);
        drawOutline (g, square, juce::Colours::black);

        const auto centre = square.toFloat().getCentre();
        g.setColour (juce::Colours::black);
        g.fillEllipse (juce::Rectangle<float> (dotDiameter, dotDiameter).withCentre (centre));
    }
}
