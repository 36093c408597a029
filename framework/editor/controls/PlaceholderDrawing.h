#pragma once

#include <juce_graphics/juce_graphics.h>

/** Drawing shared by the placeholders that controls show when their picture is missing. */
namespace PlaceholderDrawing
{
    /** An opaque grey whose components are level x 255, truncated (0.7 gives B2). */
    juce::Colour grey (float level);

    void drawOutline (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour colour);

    /** The two texts in black, centred at the top and at the bottom of the area, each fitted
        into at most two lines. */
    void drawTopAndBottomTexts (juce::Graphics& g, juce::Rectangle<int> area,
                                const juce::String& topText, const juce::String& bottomText);

    /** A 16 x 16 square at the given corner (clamped into the area), outlined in black,
        holding a black dot of the given diameter in its centre. */
    void drawDotSquare (juce::Graphics& g, juce::Rectangle<int> area, juce::Colour fill, float dotDiameter);
}
