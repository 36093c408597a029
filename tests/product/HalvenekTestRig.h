#pragma once

#include "product/Halvenek.h"
#include "product/HalvenekCore.h"
#include "product/HalvenekValueTexts.h"

#include <cmath>
#include <vector>

/** A Halvenek processor as a host creates it, with shortcuts for the tests. */
struct HalvenekTestRig
{
    HalvenekTestRig (double sampleRate = 44100.0, int blockSize = 512)
    {
        // Start from the parameter defaults rather than the factory bank's first preset.
        ParameterManager definitions;
        definitions.loadDefinitions ("parameters.xml");

        for (int i = 0; i < Halvenek::numParameters; ++i)
            set (i, definitions.getParameterNormalisedValue (i));

        processor->prepareToPlay (sampleRate, blockSize);
    }

    void set (int index, float value)   { processor->getParameterManager().setParameterNormalisedValue (index, value); }
    juce::String text (int index)       { return processor->getParameterValueText (index); }

    /** Both LFOs in free-running mode, so that they move without a host tempo. */
    void freeRunning()
    {
        set (HalvenekParameters::lfoSync, 0.0f);
        set (HalvenekParameters::forLfo (1, HalvenekParameters::lfoSync), 0.0f);
    }

    /** Processes the two channels in place straight through the core, one call. */
    void processStereo (std::vector<float>& left, std::vector<float>& right)
    {
        core.processStereo (left.data(), right.data(), (int) left.size());
    }

    std::unique_ptr<Halvenek> processor = Halvenek::create();
    HalvenekCore& core = *processor->getHalvenekCore();
};

inline double rms (const std::vector<float>& samples, size_t from = 0, size_t to = 0)
{
    to = to == 0 ? samples.size() : to;
    double sum = 0.0;

    for (size_t i = from; i < to; ++i)
        sum += (double) samples[i] * samples[i];

    return std::sqrt (sum / (double) (to - from));
}

/** A bright, steady test signal: three detuned saws with a little noise. */
inline std::vector<float> sawChord (int numSamples, double sampleRate, int seed = 1)
{
    juce::Random random (seed);
    std::vector<float> samples ((size_t) numSamples);
    const double frequencies[] { 220.0, 277.18, 329.63 };

    for (int i = 0; i < numSamples; ++i)
    {
        double value = 0.0;

        for (const auto f : frequencies)
            value += std::fmod (i * f / sampleRate, 1.0) * 2.0 - 1.0;

        samples[(size_t) i] = (float) (0.2 * value + 0.02 * (random.nextDouble() - 0.5));
    }

    return samples;
}
