#include "SkinReading.h"

#include "../../parameters/NumberText.h"
#include "../../parameters/XmlReading.h"

namespace SkinReading
{
    int getInt (const juce::XmlElement& element, juce::StringRef attributeName, int defaultValue)
    {
        if (! XmlReading::hasAttribute (element, attributeName))
            return defaultValue;

        const auto value = NumberText::parseLeadingInteger (XmlReading::getAttribute (element, attributeName));
        return (int) juce::jlimit<long long> (std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), value);
    }

    juce::Colour getColour (const juce::XmlElement& element, juce::StringRef attributeName, juce::Colour defaultValue)
    {
        if (! XmlReading::hasAttribute (element, attributeName))
            return defaultValue;

        return juce::Colour ((juce::uint32) XmlReading::getAttribute (element, attributeName).getHexValue32());
    }

    bool getBool (const juce::XmlElement& element, juce::StringRef attributeName, bool defaultValue)
    {
        if (! XmlReading::hasAttribute (element, attributeName))
            return defaultValue;

        const auto first = *XmlReading::getAttribute (element, attributeName).getCharPointer().findEndOfWhitespace();
        return first == '1' || first == 't' || first == 'T' || first == 'y' || first == 'Y';
    }

    juce::String getText (const juce::XmlElement& element, juce::StringRef attributeName, const juce::String& defaultValue)
    {
        return XmlReading::getAttribute (element, attributeName, defaultValue);
    }

    const juce::XmlElement* getChild (const juce::XmlElement& element, juce::StringRef childName)
    {
        return XmlReading::firstChild (element, childName);
    }
}
