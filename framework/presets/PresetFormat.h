#pragma once

#include "PresetBank.h"

#include "../parameters/ParameterManager.h"

/** The preset and bank documents: a `Preset` element (application, name and one `param`
    per presetable parameter) and a `PresetBank` element holding `PresetGroup` elements
    with their presets.

    Reading is silent and tolerant: names are compared without regard to case, a preset
    of another application is skipped, a missing value counts as 0, a parameter name that
    matches no parameter is ignored, and presets beyond the last slot are dropped.
*/
class PresetFormat
{
public:
    /** Parameters are found by their exact (case-sensitive) name in the manager. */
    PresetFormat (const ParameterManager& parameters, const juce::String& productName);

    /** Tag `Preset` and "application" equal to the product name, both ignoring case. */
    bool isPresetElement (const juce::XmlElement& element) const;

    /** Reads a preset element into a record: the name ("unnamed" when missing) and the
        values its `param` children name; values it does not name are left as they were.
        False, with the record unchanged, when the element is not a preset element. */
    bool loadPreset (const juce::XmlElement& element, Preset& preset) const;

    std::unique_ptr<juce::XmlElement> createPresetElement (const Preset& preset) const;

    static bool isGroupElement (const juce::XmlElement& element);
    static bool isBankElement (const juce::XmlElement& element);

    /** Reads a bank element: every slot is reset to "Preset n" with the default values,
        the groups are rebuilt from the `PresetGroup` children (filling slots in order) and
        a "Not used" group takes any slots left over. False, with nothing changed, when
        the element is not a bank element. */
    bool loadBank (const juce::XmlElement& element, PresetBank& bank, const Preset& defaults) const;

    /** The bank name and every group, including empty ones, with the presets of its slots. */
    std::unique_ptr<juce::XmlElement> createBankElement (const PresetBank& bank) const;

    /** A stored value as written: rounded to six decimal places, then "%.9g". */
    static juce::String formatValue (float value);

private:
    const ParameterManager& parameters;
    const juce::String productName;
};
