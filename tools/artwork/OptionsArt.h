#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

/** The pictures of the options pages that the look-and-feel loads from "resources/ui":
    the MIDI control page's buttons, by their number in the look-and-feel's picture set. */
namespace OptionsArt
{
    /** File name of a picture of the set: "Picture" and its number, ".png". */
    juce::String pictureFileName (int number);

    /** Every picture of the set that is drawn, by number. */
    std::map<int, juce::Image> renderPictures();
}
