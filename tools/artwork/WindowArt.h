#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

/** The pictures of the editor's window frames, compiled into the plug-in as look-and-feel
    assets: the close button (released and pressed), the 16 x 16 title icon and the four
    decoration strips, in the faceplate's dark aluminium with cream print and amber. */
namespace WindowArt
{
    /** Every picture by its file name ("WindowTitleIcon.png" and so on). */
    std::map<juce::String, juce::Image> render();
}
