#pragma once

#include <juce_graphics/juce_graphics.h>

/** Reading the attributes of skin elements. Attribute and element names are matched
    without regard to case; values are compared exactly. */
namespace SkinReading
{
    /** The attribute's leading decimal digits as an integer; the default when it is missing. */
    int getInt (const juce::XmlElement& element, juce::StringRef attributeName, int defaultValue = 0);

    /** An AARRGGBB colour of eight hexadecimal digits; the default when it is missing. */
    juce::Colour getColour (const juce::XmlElement& element, juce::StringRef attributeName,
                            juce::Colour defaultValue);

    /** JUCE's boolean reading: true when the first non-blank character is 1, t, T, y or Y. */
    bool getBool (const juce::XmlElement& element, juce::StringRef attributeName, bool defaultValue = false);

    juce::String getText (const juce::XmlElement& element, juce::StringRef attributeName,
                          const juce::String& defaultValue = {});

    /** The first child element with the name, or null. */
    const juce::XmlElement* getChild (const juce::XmlElement& element, juce::StringRef childName);
}
