#pragma once

#include <juce_graphics/juce_graphics.h>

/** The preset browser's small pictures compiled into the plug-in (drawn by the artwork
    tool): the item icons of the group and preset columns, and the pictures of the
    browser window's buttons by their number in the framework's picture set. A missing
    picture is an invalid image, which is simply not drawn. */
namespace BrowserPictures
{
    enum ButtonPicture
    {
        copyPicture = 1,
        pastePicture = 3,
        downPicture = 5,
        upPicture = 6,
        addGroupPicture = 9,
        removeGroupPicture = 10
    };

    juce::Image getGroupIcon (bool selected);
    juce::Image getPresetIcon (bool selected);

    /** A button picture; none for a number outside the set. */
    juce::Image getButtonPicture (int number);
}
