#pragma once

#include "SkinLayout.h"

/** Builds "skin.xml" from the layout: one element per control, linked to its parameter,
    with its picture, frames, position, size and actions. */
namespace SkinWriter
{
    std::unique_ptr<juce::XmlElement> createSkin();
}
