#include "AmberCrestEffect.h"

#include <cmath>
#include <cstring>

void AmberCrestEffect::Core::ValuePair::set (float first, float second) noexcept
{
    const std::array<float, 2> values { first, second };
    juce::uint64 packed;
    std::memcpy (&packed, values.data(), sizeof (packed));
    bits.store (packed, std::memory_order_release);
}

std::pair<float, float> AmberCrestEffect::Core::ValuePair::get() const noexcept
{
    const auto packed = bits.load (std::memory_order_acquire);
    std::array<float, 2> values;
    std::memcpy (values.data(), &packed, sizeof (packed));
    return { values[0], values[1] };
}

//==============================================================================
AmberCrestEffect::Core::Core (BasePluginOldStyle& processorToApplyPresets)
    : processor (processorToApplyPresets)
{
    for (int i = 0; i < meterTableSize; ++i)
    {
        const double amplitude = std::abs ((i - 200) * 0.01);
        const double decibels = amplitude > 0.0 ? 20.0 * std::log10 (amplitude) : -320.0;
        meterTable[(size_t) i] = juce::jlimit (0.0, 1.0, decibels / 30.0 + 0.8);
    }
}

void AmberCrestEffect::Core::publishMeters (double left, double right) noexcept
{
    meterPair.set ((float) juce::jlimit (0.0, 1.0, left), (float) juce::jlimit (0.0, 1.0, right));
}

//==============================================================================
void AmberCrestEffect::Core::changePreset()
{
    const juce::ScopedLock sl (lock);
    fading = true;
    fadingOut = true;
    waiting = false;
    fadeTarget = 0.0;
    waitCountdown = 0;
}

double AmberCrestEffect::Core::stepPresetFade (double coefficient, int waitSamples)
{
    if (! fading)
        return 1.0;

    fadeGain -= (fadeGain - fadeTarget) * coefficient + 1e-20;

    if (fadeGain < 0.001 && fadingOut)
    {
        fadeTarget = 0.0;
        fadeGain = 0.0;
        waiting = true;
        fadingOut = false;
        waitCountdown = waitSamples;
        processor.applyCurrentPreset();
    }

    if (waitCountdown > 0 && waiting && --waitCountdown == 0)
    {
        fadeTarget = 1.0;
        waiting = false;
        fadingIn = true;
    }

    if (fadeGain > 0.99 && fadingIn)
    {
        fading = false;
        fadeTarget = 1.0;
        fadeGain = 1.0;
        waiting = false;
        fadingIn = false;
    }

    return fading ? fadeGain : 1.0;
}
