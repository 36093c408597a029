#include "BrowserPictures.h"

#include "HalvenekUiAssets.h"

namespace
{
    // JUCE's image cache keeps a decoded picture for later calls.
    juce::Image decode (const juce::String& resourceName)
    {
        int size = 0;
        const auto* data = HalvenekUiAssets::getNamedResource (resourceName.toRawUTF8(), size);
        return data != nullptr ? juce::ImageCache::getFromMemory (data, size) : juce::Image();
    }
}

juce::Image BrowserPictures::getGroupIcon (bool selected)
{
    return decode (selected ? "BrowserGroupIconSelected_png" : "BrowserGroupIcon_png");
}

juce::Image BrowserPictures::getPresetIcon (bool selected)
{
    return decode (selected ? "BrowserPresetIconSelected_png" : "BrowserPresetIcon_png");
}

juce::Image BrowserPictures::getButtonPicture (int number)
{
    switch (number)
    {
        case copyPicture:           return decode ("BrowserCopyButton_png");
        case pastePicture:          return decode ("BrowserPasteButton_png");
        case downPicture:           return decode ("BrowserDownButton_png");
        case upPicture:             return decode ("BrowserUpButton_png");
        case addGroupPicture:       return decode ("BrowserAddGroupButton_png");
        case removeGroupPicture:    return decode ("BrowserRemoveGroupButton_png");
        default:                    return {};
    }
}
