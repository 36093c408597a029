#include "WindowPictures.h"

#include "HalvenekUiAssets.h"

namespace
{
    // JUCE's image cache keeps a decoded picture for later calls.
    juce::Image decode (const char* resourceName)
    {
        int size = 0;
        const auto* data = HalvenekUiAssets::getNamedResource (resourceName, size);
        return data != nullptr ? juce::ImageCache::getFromMemory (data, size) : juce::Image();
    }
}

juce::Image WindowPictures::getTitleIcon()
{
    return decode ("WindowTitleIcon_png");
}

juce::Image WindowPictures::getDecorationStrip (int decorationPosition)
{
    switch (decorationPosition)
    {
        case topDecoration:     return decode ("WindowDecorationTop_png");
        case bottomDecoration:  return decode ("WindowDecorationBottom_png");
        case leftDecoration:    return decode ("WindowDecorationLeft_png");
        case rightDecoration:   return decode ("WindowDecorationRight_png");
        default:                return {};
    }
}

juce::Image WindowPictures::getCloseButton (bool pressed)
{
    return decode (pressed ? "WindowCloseButtonPressed_png" : "WindowCloseButton_png");
}
