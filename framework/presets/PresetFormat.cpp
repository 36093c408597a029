#include "PresetFormat.h"

#include "../parameters/NumberText.h"
#include "../parameters/XmlReading.h"

#include <cmath>

namespace
{
    const char* const presetTag = "Preset";
    const char* const groupTag = "PresetGroup";
    const char* const bankTag = "PresetBank";
    const char* const paramTag = "param";
}

PresetFormat::PresetFormat (const ParameterManager& parameterManager, const juce::String& product)
    : parameters (parameterManager), productName (product)
{
}

bool PresetFormat::isPresetElement (const juce::XmlElement& element) const
{
    return XmlReading::hasTag (element, presetTag)
        && XmlReading::getAttribute (element, "application").equalsIgnoreCase (productName);
}

bool PresetFormat::loadPreset (const juce::XmlElement& element, Preset& preset) const
{
    if (! isPresetElement (element))
        return false;

    preset.setName (XmlReading::getAttribute (element, "name", "unnamed"));

    for (auto* param = XmlReading::firstChild (element, paramTag); param != nullptr;
         param = XmlReading::nextSibling (*param, paramTag))
    {
        const auto value = (float) NumberText::parseNumber (XmlReading::getAttribute (*param, "value"));

        if (const auto* parameter = parameters.getParameterByName (XmlReading::getAttribute (*param, "name")))
            preset.setValue (parameter->getIndex(), value);
    }

    return true;
}

std::unique_ptr<juce::XmlElement> PresetFormat::createPresetElement (const Preset& preset) const
{
    auto element = std::make_unique<juce::XmlElement> (presetTag);
    element->setAttribute ("application", productName);
    element->setAttribute ("name", preset.getName());

    for (int i = 0; i < preset.getNumValues(); ++i)
    {
        auto* param = element->createNewChildElement (paramTag);
        param->setAttribute ("name", parameters.getParameterName (i));
        param->setAttribute ("value", formatValue (preset.getValue (i)));
    }

    return element;
}

bool PresetFormat::isGroupElement (const juce::XmlElement& element)
{
    return XmlReading::hasTag (element, groupTag);
}

bool PresetFormat::isBankElement (const juce::XmlElement& element)
{
    return XmlReading::hasTag (element, bankTag);
}

bool PresetFormat::loadBank (const juce::XmlElement& element, PresetBank& bank, const Preset& defaults) const
{
    if (! isBankElement (element))
        return false;

    bank.clear (defaults);
    bank.setName (XmlReading::getAttribute (element, "name", PresetBank::defaultBankName));

    std::vector<PresetGroup> groups;
    int nextSlot = 0;

    for (auto* child = element.getFirstChildElement(); child != nullptr; child = child->getNextElement())
    {
        if (! isGroupElement (*child))
            continue;

        PresetGroup group;
        group.name = XmlReading::hasAttribute (*child, "name")
                         ? XmlReading::getAttribute (*child, "name")
                         : "group " + juce::String ((int) groups.size() + 1);

        for (auto* presetElement = child->getFirstChildElement();
             presetElement != nullptr && nextSlot < PresetBank::numSlots;
             presetElement = presetElement->getNextElement())
        {
            if (loadPreset (*presetElement, *bank.getPreset (nextSlot)))
            {
                ++group.size;
                ++nextSlot;
            }
        }

        groups.push_back (std::move (group));
    }

    if (nextSlot < PresetBank::numSlots)
        groups.push_back ({ PresetBank::notUsedGroupName, PresetBank::numSlots - nextSlot });

    bank.setGroups (std::move (groups));
    return true;
}

std::unique_ptr<juce::XmlElement> PresetFormat::createBankElement (const PresetBank& bank) const
{
    auto element = std::make_unique<juce::XmlElement> (bankTag);
    element->setAttribute ("name", bank.getName());
    int slot = 0;

    for (const auto& group : bank.getGroups())
    {
        auto* groupElement = element->createNewChildElement (groupTag);
        groupElement->setAttribute ("name", group.name);

        for (int k = 0; k < group.size; ++k, ++slot)
            if (const auto* preset = bank.getPreset (slot))
                groupElement->addChildElement (createPresetElement (*preset).release());
    }

    return element;
}

juce::String PresetFormat::formatValue (float value)
{
    // Scaled in single precision and rounded half to even, then brought back in double
    // precision, so that 0.33333334 is written 0.333333 and 1.0 is written 1.
    const float scaled = std::nearbyint (value * 1000000.0f);
    return NumberText::formatG9 ((double) scaled * 0.000001);
}
