#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

/** The preset browser's small pictures, in the greys of the editor's windows: the item
    icons of the group column (a folder) and the preset column (a sheet with a wave), each
    plain and for a selected row, and the six buttons beside the browser. */
namespace BrowserArt
{
    static constexpr int iconSize = 18;
    static constexpr int buttonSize = 26;

    /** Every picture, by the file name the plug-in compiles in. */
    std::map<juce::String, juce::Image> renderAll();
}
