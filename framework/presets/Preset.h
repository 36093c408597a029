#pragma once

#include <juce_core/juce_core.h>

#include <atomic>
#include <memory>

/** One preset record: a name and one normalised value per presetable parameter.

    Records are read and written from the audio thread (program changes, the silent
    change, automatic storing of host and MIDI changes) and from the message thread
    (editor, browser, state), so they carry no lock that could block for long:

    - each value is a single atomic float;
    - the name is a reference-counted juce::String exchanged under a spin lock that is
      held only for the pointer swap or the reference-count increment. Reading or
      replacing a name therefore never allocates, and an old name is released outside
      the lock.

    Values are kept as read from documents, without clamping; parameters clamp them
    when a preset is applied.
*/
class Preset
{
public:
    explicit Preset (int numValues, const juce::String& name = "Preset");

    juce::String getName() const;
    void setName (const juce::String& newName);

    int getNumValues() const noexcept   { return numValues; }

    /** The value at an index; 0 for an index outside the record. */
    float getValue (int index) const noexcept;

    /** Ignored for an index outside the record. */
    void setValue (int index, float value) noexcept;

    /** Takes over the other record's name and values (values it lacks become 0). */
    void copyFrom (const Preset& other);

    /** Takes over the other record's values only. */
    void copyValuesFrom (const Preset& other) noexcept;

private:
    juce::String name;
    mutable juce::SpinLock nameLock;
    const int numValues;
    const std::unique_ptr<std::atomic<float>[]> values;

    JUCE_DECLARE_NON_COPYABLE (Preset)
};
