#include "Preset.h"

Preset::Preset (int numberOfValues, const juce::String& initialName)
    : name (initialName),
      numValues (juce::jmax (0, numberOfValues)),
      values (new std::atomic<float>[(size_t) numValues])
{
    for (int i = 0; i < numValues; ++i)
        values[(size_t) i].store (0.0f);
}

juce::String Preset::getName() const
{
    const juce::SpinLock::ScopedLockType sl (nameLock);
    return name;
}

void Preset::setName (const juce::String& newName)
{
    juce::String previous (newName);

    {
        const juce::SpinLock::ScopedLockType sl (nameLock);
        name.swapWith (previous);
    }
}

float Preset::getValue (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, numValues) ? values[(size_t) index].load() : 0.0f;
}

void Preset::setValue (int index, float value) noexcept
{
    if (juce::isPositiveAndBelow (index, numValues))
        values[(size_t) index].store (value);
}

void Preset::copyFrom (const Preset& other)
{
    setName (other.getName());
    copyValuesFrom (other);
}

void Preset::copyValuesFrom (const Preset& other) noexcept
{
    for (int i = 0; i < numValues; ++i)
        setValue (i, other.getValue (i));
}
