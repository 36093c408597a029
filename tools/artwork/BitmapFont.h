#pragma once

#include <juce_graphics/juce_graphics.h>

/** The preset name display's font: a 5 x 7 dot-matrix face in 7 x 9 cells, one column of
    the characters 32 to 127, the normal set above an inverted set for the caret cell. */
namespace BitmapFont
{
    juce::Image render();

    /** Whether the dot at column x (0 to 4) and row y (0 to 6) of a character is lit. */
    bool isLit (int character, int x, int y);
}
