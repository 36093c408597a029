#pragma once

#include <juce_graphics/juce_graphics.h>

/** The small pictures of the window frame compiled into the plug-in (drawn by the artwork
    tool): the title icon, the four decoration strips and the close button. A missing
    picture is an invalid image, which the frame simply leaves out. */
namespace WindowPictures
{
    enum Decoration
    {
        noDecoration = 0,
        topDecoration = 1,
        bottomDecoration = 2,
        leftDecoration = 3,
        rightDecoration = 4
    };

    juce::Image getTitleIcon();

    /** The strip of a side; none for any other number. */
    juce::Image getDecorationStrip (int decorationPosition);

    juce::Image getCloseButton (bool pressed);
}
