#include "HalvenekCore.h"

#include <cstring>

using namespace HalvenekParameters;

namespace
{
    constexpr double referenceSampleRate = 44100.0;
    constexpr double lineSeconds = 0.03;
    constexpr int presetWaitSamples = 4000;

    constexpr std::uint32_t lfoSeeds[HalvenekCore::numLfos][2] { { 0x67452301u, 0xEFCDAB89u },
                                                                 { 0xA7452301u, 0x4FCDAB89u } };

    int roundedIndex (double value, int steps)     { return (int) std::floor (value * steps + 0.5); }
}

// Where the loader picks a version of a function by processor (ELF on x86-64), the sample
// loop also comes in an AVX2 version, which reads the delay lines four taps at a time.
#if defined (__GNUC__) && ! defined (__clang__) && defined (__x86_64__) && defined (__ELF__)
 #define HALVENEK_SAMPLE_LOOP_VERSIONS __attribute__ ((target_clones ("default", "avx2")))
#else
 #define HALVENEK_SAMPLE_LOOP_VERSIONS
#endif

HalvenekCore::HalvenekCore (BasePluginOldStyle& processorToApplyPresets)
    : AmberCrestEffect::Core (processorToApplyPresets)
{
    // Until the host's rate arrives the core runs at the reference rate, so that values
    // computed from the first parameter notifications are finite.
    applySampleRate (referenceSampleRate);
    setHiPassTargets();

    for (int n = 0; n < numLfos; ++n)
        lfos[(size_t) n].seed (lfoSeeds[n][0], lfoSeeds[n][1]);
}

void HalvenekCore::applySampleRate (double newSampleRate)
{
    sampleRate = newSampleRate;
    rateRatio = sampleRate / referenceSampleRate;

    const double q = 2.0 * (1.0 - std::pow (0.5, referenceSampleRate / sampleRate));
    parameterSmoothing = 0.002 * q;
    fadeCoefficient = 0.002 * q;
    lfoSmoothing = 0.01 * q;
    meterDecay = 1.0 - q * 0.0001;

    lineLength = (int) std::floor (lineSeconds * sampleRate);
    writeIndex = 0;
    colourCoefficients = ChorusFilters::BbdCoefficients::forSampleRate (sampleRate);

    for (auto& channel : channels)
    {
        // Each sample is written twice, l apart, so any l consecutive samples lie in one piece.
        channel.dryLine.assign ((size_t) (2 * lineLength), 0.0);
        channel.wetLine.assign ((size_t) (2 * lineLength), 0.0);
    }

    colour = {};
    hiPass = {};
    meters = ChannelLanes {};
}

void HalvenekCore::setSampleRate (double newSampleRate)
{
    if (! (newSampleRate > 0.0 && std::isfinite (newSampleRate)))
        return;

    // The values in use start from their present targets and glide to the new rate's ones.
    smoothed.value = smoothed.target;
    applySampleRate (juce::jlimit (minimumSampleRate, maximumSampleRate, newSampleRate));
    setHiPassTargets();

    lfoOutputs = {};

    for (int n = 0; n < numLfos; ++n)
    {
        auto& lfo = lfos[(size_t) n];
        updateLfoRate (n);
        lfo.resetPhases();
        lfo.seed (lfoSeeds[n][0], lfoSeeds[n][1]);
    }
}

//==============================================================================
void HalvenekCore::setParameter (int index, float normalisedValue)
{
    if (! juce::isPositiveAndBelow (index, (int) numParameters))
        return;

    const float clamped = std::isnan (normalisedValue) ? 0.0f : juce::jlimit (0.0f, 1.0f, normalisedValue);
    parameterValues[(size_t) index] = clamped;
    const double value = clamped;

    if (index < lfo2Synchronize)
    {
        const int n = index / parametersPerLfo;
        auto& lfo = lfos[(size_t) n];

        switch (index % parametersPerLfo)
        {
            case lfoRate:
                lfo.freeRate = HalvenekLfo::freeRateForValue (value);
                updateLfoRate (n);
                break;

            case lfoSync:
                lfo.syncMode = roundedIndex (value, 3);

                // A tempo rate follows from the processor's note-rate and sync handling.
                if (lfo.syncMode == 0)
                    updateLfoRate (n);
                break;

            case lfoDepth:          smoothed.target[(size_t) (depth + n)] = value; break;
            case lfoOffset:         smoothed.target[(size_t) (offset + n)] = value; break;
            case lfoWaveform:       lfo.waveform = roundedIndex (value, 5); break;
            case pathVolume:        smoothed.target[(size_t) (volume + n)] = value; break;
            case lfoTremolo:        smoothed.target[(size_t) (tremolo + n)] = value; break;
            case lfoStereoPhase:    smoothed.target[(size_t) (stereoOffset + n)] = value * HalvenekLfo::pi; break;
            default:                break;   // the note rate reaches the LFO as cycles per beat
        }

        return;
    }

    switch (index)
    {
        case lfo2Synchronize:   lfo2Synchronised = value >= 0.5; break;
        case bbd:               bbdOn = value >= 0.5; break;
        case fx:                smoothed.target[mix] = value; break;
        case outputVolume:      smoothed.target[outputGain] = outputGainForValue (value); break;

        case hiPassFrequency:
            hiPassCutoff = hiPassCutoffForValue (value);
            setHiPassTargets();
            break;

        default: break;
    }
}

float HalvenekCore::getParameterValue (int index) const noexcept
{
    return juce::isPositiveAndBelow (index, (int) numParameters) ? parameterValues[(size_t) index] : 0.0f;
}

void HalvenekCore::setHiPassTargets() noexcept
{
    const auto coefficients = ChorusFilters::HighPassCoefficients::forCutoff (hiPassCutoff, sampleRate);
    smoothed.target[hiPassA] = coefficients.a;
    smoothed.target[hiPassB] = coefficients.b;
}

void HalvenekCore::updateLfoRate (int lfoIndex) noexcept
{
    auto& lfo = lfos[(size_t) lfoIndex];
    lfo.updateRate (tempo);
    smoothed.target[(size_t) (increment + lfoIndex)] = lfo.getIncrementFor (sampleRate);
}

void HalvenekCore::setTempo (double beatsPerMinute)
{
    // A host's negative or undefined tempo stops tempo-locked LFOs instead of running them backwards.
    const double newTempo = beatsPerMinute > 0.0 && std::isfinite (beatsPerMinute) ? beatsPerMinute : 0.0;

    if (newTempo == tempo)
        return;

    tempo = newTempo;

    for (int n = 0; n < numLfos; ++n)
        if (lfos[(size_t) n].syncMode != 0)
            updateLfoRate (n);
}

void HalvenekCore::setCyclesPerBeat (int lfoIndex, double cyclesPerBeat)
{
    auto& lfo = lfos[(size_t) lfoIndex];
    lfo.cyclesPerBeat = cyclesPerBeat;

    if (lfo.syncMode != 0)
        updateLfoRate (lfoIndex);
}

void HalvenekCore::resetLfoPhases() noexcept
{
    for (auto& lfo : lfos)
        lfo.resetPhases();
}

void HalvenekCore::alignToClock (int lfoIndex, const Clock& clock)
{
    if (juce::isPositiveAndBelow (lfoIndex, numLfos))
        lfos[(size_t) lfoIndex].alignTo (clock.getDivision(), clock.getPosition());
}

//==============================================================================
void HalvenekCore::processStereo (float* left, float* right, int numSamples)
{
    processStereoVersions (left, right, numSamples);
}

void HalvenekCore::processMono (float* samples, int numSamples)
{
    processMonoVersions (samples, numSamples);
}

template <int numChannels>
forcedinline void HalvenekCore::process (float* const* io, int numSamples)
{
    constexpr bool stereo = numChannels == 2;
    const int l = lineLength;
    const int waitSamples = (int) (presetWaitSamples * rateRatio);
    const auto& v = smoothed.value;
    auto& lfo1 = lfos[0];
    auto& lfo2 = lfos[1];

    for (int s = 0; s < numSamples; ++s)
    {
        smoothed.step (parameterSmoothing);

        const int u = writeIndex;

        ChannelLanes x {};

        for (int ch = 0; ch < numChannels; ++ch)
        {
            auto& channel = channels[(size_t) ch];
            const float input = io[ch][s];

            // A broken sample would stay in the filter states for ever; it counts as silence.
            x[ch] = std::isfinite (input) ? (double) input : 0.0;

            if (x[ch] != 0.0)
                channel.active = true;

            channel.dryLine[(size_t) u] = channel.dryLine[(size_t) (u + l)] = x[ch];
        }

        const ChannelLanes coloured = bbdOn ? colour.process (x, colourCoefficients) : colour.bypass (x);
        const ChannelLanes filtered = hiPass.process (coloured, v[hiPassA], v[hiPassB]);

        for (int ch = 0; ch < numChannels; ++ch)
            channels[(size_t) ch].wetLine[(size_t) u] = channels[(size_t) ch].wetLine[(size_t) (u + l)] = filtered[ch];

        lfo1.advanceLeftPhase (v[increment]);
        lfo2.advanceLeftPhase (v[increment + 1]);

        if (lfo2Synchronised)
            lfo2.leftPhase = lfo1.leftPhase;

        const double leftValues[numLfos] { lfo1.leftValue(), lfo2.leftValue() };
        double rightValues[numLfos] {};

        if constexpr (stereo)
        {
            for (int n = 0; n < numLfos; ++n)
            {
                auto& lfo = lfos[(size_t) n];
                lfo.rightAccumulator += v[(size_t) (increment + n)];

                if (n == 1 && lfo2Synchronised)
                    lfo.rightAccumulator = lfo1.rightAccumulator;

                lfo.updateRightPhase (v[(size_t) (stereoOffset + n)]);
                rightValues[n] = lfo.rightValue();
            }
        }

        ledValues[0] = flooredAtZero (leftValues[0]);
        ledValues[1] = flooredAtZero (leftValues[1]);

        ChannelLanes wet {};
        const bool gateOpen = channels[0].active || (stereo && channels[1].active);

        if (gateOpen)
        {
            // The reads of a sample are independent, so they are worked out side by side in
            // the lanes of one vector: left path 1, left path 2, right path 1, right path 2.
            using Lanes = double __attribute__ ((vector_size (32)));
            using IntLanes = int __attribute__ ((vector_size (16)));

            const Lanes lfoValues { leftValues[0], leftValues[1],
                                    flooredAtZero (rightValues[0]), flooredAtZero (rightValues[1]) };
            Lanes first, second;
            std::memcpy (&first, lfoOutputs.first.data(), sizeof (Lanes));
            std::memcpy (&second, lfoOutputs.second.data(), sizeof (Lanes));
            first -= (first - lfoValues) * lfoSmoothing + 1e-20;
            second -= (second - first) * lfoSmoothing + 1e-20;

            // Mono has no right side: its smoothing states hold.
            std::memcpy (lfoOutputs.first.data(), &first, sizeof (double) * numChannels * numLfos);
            std::memcpy (lfoOutputs.second.data(), &second, sizeof (double) * numChannels * numLfos);

            const Lanes depths { v[depth], v[depth + 1], v[depth], v[depth + 1] };
            const Lanes offsets { v[offset], v[offset + 1], v[offset], v[offset + 1] };
            const Lanes volumes { v[volume], v[volume + 1], v[volume], v[volume + 1] };
            const Lanes tremolos { v[tremolo], v[tremolo + 1], v[tremolo], v[tremolo + 1] };
            const Lanes gains = volumes * (tremolos * second + (1.0 - tremolos) + 1e-20);
            const Lanes modulation = (second * depths + offsets) * 0.5 + 1e-20;

            // The modulation term, 0 to 1, moves a read from the newest sample back to l - 32.
            const Lanes positions = (double) (u + l) - modulation * (double) (l - InterpolationTable::numTaps);
            const IntLanes newest = __builtin_convertvector (positions, IntLanes);
            const IntLanes phases = __builtin_convertvector ((positions - __builtin_convertvector (newest, Lanes)) * (double) InterpolationTable::numPhases, IntLanes);

            for (int ch = 0; ch < numChannels; ++ch)
            {
                const double* line = channels[(size_t) ch].wetLine.data();

                for (int n = 0; n < numLfos; ++n)
                {
                    const int r = ch * numLfos + n;
                    wet[ch] += gains[r] * table.interpolate ({ line, newest[r], phases[r] });
                }
            }
        }

        const int dryIndex = u + l - interpolatorCentre;
        ChannelLanes dry {};

        for (int ch = 0; ch < numChannels; ++ch)
            dry[ch] = channels[(size_t) ch].dryLine[(size_t) dryIndex];

        const double fade = isFading() ? stepPresetFade (fadeCoefficient, waitSamples) : 1.0;
        const ChannelLanes out = ((wet - dry) * v[mix] + dry) * v[outputGain] * fade;
        ChannelLanes written {}, levels {};

        for (int ch = 0; ch < numChannels; ++ch)
        {
            const float sample = (float) out[ch];
            io[ch][s] = sample;
            written[ch] = sample;
            levels[ch] = getMeterLevel (sample);
        }

        meters = meters < levels ? levels : meters;
        meters = meters * meterDecay + 1e-20;
        followers *= meterDecay + 1e-20;
        followers = written > followers ? written : followers;

        for (int ch = 0; ch < numChannels; ++ch)
            if (followers[ch] < 2e-5)
                channels[(size_t) ch].active = false;

        writeIndex = u + 1 == l ? 0 : u + 1;
    }

    publishMeters (meters[0], meters[stereo ? 1 : 0]);
    ledPair.set ((float) ledValues[0], (float) ledValues[1]);
}

HALVENEK_SAMPLE_LOOP_VERSIONS void HalvenekCore::processStereoVersions (float* left, float* right, int numSamples)
{
    float* const io[] { left, right };
    process<2> (io, numSamples);
}

HALVENEK_SAMPLE_LOOP_VERSIONS void HalvenekCore::processMonoVersions (float* samples, int numSamples)
{
    float* const io[] { samples };
    process<1> (io, numSamples);
}
