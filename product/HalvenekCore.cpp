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
// loop also comes in an AVX2 version.
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

template <int numChannels, bool settled>
forcedinline void HalvenekCore::process (float* const* io, int numSamples)
{
    constexpr bool stereo = numChannels == 2;
    constexpr int numLfoSides = numChannels * numLfos;
    using Values = std::array<double, numSmoothed>;

    // Lanes of the four reads of a stereo sample: left path 1, left path 2, right path 1,
    // right path 2.
    using Lanes = double __attribute__ ((vector_size (32)));
    using IntLanes = int __attribute__ ((vector_size (16)));

    const int l = lineLength;
    const int waitSamples = (int) (presetWaitSamples * rateRatio);
    const double decay = meterDecay;
    const ChorusFilters::BbdCoefficients colourCoefficientsInUse = colourCoefficients;
    auto& lfo1 = lfos[0];
    auto& lfo2 = lfos[1];

    // The running state lives in locals for the call: the line writes could otherwise
    // alias it and force it through memory on every sample.
    double* dryLines[numChannels];
    double* wetLines[numChannels];
    bool active[2] { channels[0].active, stereo && channels[1].active };

    for (int ch = 0; ch < numChannels; ++ch)
    {
        dryLines[ch] = channels[(size_t) ch].dryLine.data();
        wetLines[ch] = channels[(size_t) ch].wetLine.data();
    }

    auto colourState = colour;
    auto hiPassState = hiPass;
    ChannelLanes meterState = meters, followerState = followers;
    Lanes first, second;
    std::memcpy (&first, lfoOutputs.first.data(), sizeof (Lanes));
    std::memcpy (&second, lfoOutputs.second.data(), sizeof (Lanes));
    int u = writeIndex;

    const Values steady = smoothed.value;
    Values history[settled ? 1 : chunkSize];
    auto valuesAt = [&] (int s) -> const Values& { if constexpr (settled) return steady; else return history[s]; };

    // Per chunk: the phases, held random values and waveform values of each LFO side, in
    // the order LFO 1 left, LFO 2 left, LFO 1 right, LFO 2 right.
    double phases[numLfoSides][chunkSize], randomValues[numLfoSides][chunkSize], lfoValues[numLfoSides][chunkSize];

    for (int start = 0; start < numSamples;)
    {
        const int count = std::min (isFading() ? 1 : chunkSize, numSamples - start);
        float* const chunkIo[] { io[0] + start, io[stereo ? 1 : 0] + start };
        start += count;

        if constexpr (! settled)
        {
            for (int s = 0; s < count; ++s)
            {
                smoothed.step (parameterSmoothing);
                history[s] = smoothed.value;
            }
        }

        const bool synchronised = lfo2Synchronised;

        for (int s = 0; s < count; ++s)
        {
            const auto& v = valuesAt (s);
            lfo1.advanceLeftPhase (v[increment]);
            lfo2.advanceLeftPhase (v[increment + 1]);

            if (synchronised)
                lfo2.leftPhase = lfo1.leftPhase;

            for (int n = 0; n < numLfos; ++n)
            {
                phases[n][s] = lfos[(size_t) n].leftPhase;
                randomValues[n][s] = lfos[(size_t) n].leftRandomValue;
            }

            if constexpr (stereo)
            {
                for (int n = 0; n < numLfos; ++n)
                {
                    auto& lfo = lfos[(size_t) n];
                    lfo.rightAccumulator += v[(size_t) (increment + n)];

                    if (n == 1 && synchronised)
                        lfo.rightAccumulator = lfo1.rightAccumulator;

                    lfo.updateRightPhase (v[(size_t) (stereoOffset + n)]);
                    phases[numLfos + n][s] = lfo.rightPhase;
                    randomValues[numLfos + n][s] = lfo.rightRandomValue;
                }
            }
        }

        for (int side = 0; side < numLfoSides; ++side)
            HalvenekLfo::waveformValues (lfos[(size_t) (side % numLfos)].waveform, phases[side], randomValues[side],
                                         lfoValues[side], count);

        ledValues[0] = flooredAtZero (lfoValues[0][count - 1]);
        ledValues[1] = flooredAtZero (lfoValues[1][count - 1]);

        const bool colourOn = bbdOn;

        for (int s = 0; s < count; ++s)
        {
            const auto& v = valuesAt (s);
            ChannelLanes x {};

            for (int ch = 0; ch < numChannels; ++ch)
            {
                const float input = chunkIo[ch][s];

                // A broken sample would stay in the filter states for ever; it counts as silence.
                x[ch] = std::isfinite (input) ? (double) input : 0.0;

                if (x[ch] != 0.0)
                    active[ch] = true;

                dryLines[ch][u] = dryLines[ch][u + l] = x[ch];
            }

            const ChannelLanes coloured = colourOn ? colourState.process (x, colourCoefficientsInUse) : colourState.bypass (x);
            const ChannelLanes filtered = hiPassState.process (coloured, v[hiPassA], v[hiPassB]);

            for (int ch = 0; ch < numChannels; ++ch)
                wetLines[ch][u] = wetLines[ch][u + l] = filtered[ch];

            ChannelLanes wet {};

            if (active[0] || active[1])
            {
                // Mono has no right side; its lanes are worked but never stored.
                const Lanes lfoLanes { lfoValues[0][s], lfoValues[1][s],
                                       stereo ? flooredAtZero (lfoValues[stereo ? 2 : 0][s]) : 0.0,
                                       stereo ? flooredAtZero (lfoValues[stereo ? 3 : 0][s]) : 0.0 };
                first -= (first - lfoLanes) * lfoSmoothing + 1e-20;
                second -= (second - first) * lfoSmoothing + 1e-20;

                const Lanes depths { v[depth], v[depth + 1], v[depth], v[depth + 1] };
                const Lanes offsets { v[offset], v[offset + 1], v[offset], v[offset + 1] };
                const Lanes volumes { v[volume], v[volume + 1], v[volume], v[volume + 1] };
                const Lanes tremolos { v[tremolo], v[tremolo + 1], v[tremolo], v[tremolo + 1] };
                const Lanes gains = volumes * (tremolos * second + (1.0 - tremolos) + 1e-20);
                const Lanes modulation = (second * depths + offsets) * 0.5 + 1e-20;

                // The modulation term, 0 to 1, moves a read from the newest sample back to l - 32.
                const Lanes positions = (double) (u + l) - modulation * (double) (l - InterpolationTable::numTaps);
                const IntLanes newest = __builtin_convertvector (positions, IntLanes);
                const IntLanes phaseIndices = __builtin_convertvector ((positions - __builtin_convertvector (newest, Lanes)) * (double) InterpolationTable::numPhases, IntLanes);

                // Mono reads its two positions twice; the copies are not used.
                const InterpolationTable::Read reads[numReads] {
                    { wetLines[0], newest[0], phaseIndices[0] },
                    { wetLines[0], newest[1], phaseIndices[1] },
                    { wetLines[stereo ? 1 : 0], newest[stereo ? 2 : 0], phaseIndices[stereo ? 2 : 0] },
                    { wetLines[stereo ? 1 : 0], newest[stereo ? 3 : 1], phaseIndices[stereo ? 3 : 1] } };
                Lanes values;
                table.interpolate (reads, values);
                const Lanes weighted = gains * values;

                for (int ch = 0; ch < numChannels; ++ch)
                    wet[ch] = weighted[ch * numLfos] + weighted[ch * numLfos + 1];
            }

            const int dryIndex = u + l - interpolatorCentre;
            ChannelLanes dry {};

            for (int ch = 0; ch < numChannels; ++ch)
                dry[ch] = dryLines[ch][dryIndex];

            const double fade = isFading() ? stepPresetFade (fadeCoefficient, waitSamples) : 1.0;
            const ChannelLanes out = ((wet - dry) * v[mix] + dry) * v[outputGain] * fade;
            ChannelLanes written {}, levels {};

            for (int ch = 0; ch < numChannels; ++ch)
            {
                const float sample = (float) out[ch];
                chunkIo[ch][s] = sample;
                written[ch] = sample;
                levels[ch] = getMeterLevel (sample);
            }

            meterState = meterState < levels ? levels : meterState;
            meterState = meterState * decay + 1e-20;
            followerState *= decay + 1e-20;
            followerState = written > followerState ? written : followerState;

            for (int ch = 0; ch < numChannels; ++ch)
                if (followerState[ch] < 2e-5)
                    active[ch] = false;

            u = u + 1 == l ? 0 : u + 1;
        }
    }

    for (int ch = 0; ch < numChannels; ++ch)
        channels[(size_t) ch].active = active[ch];

    colour = colourState;
    hiPass = hiPassState;
    meters = meterState;
    followers = followerState;
    std::memcpy (lfoOutputs.first.data(), &first, sizeof (double) * numLfoSides);
    std::memcpy (lfoOutputs.second.data(), &second, sizeof (double) * numLfoSides);
    writeIndex = u;

    publishMeters (meters[0], meters[stereo ? 1 : 0]);
    ledPair.set ((float) ledValues[0], (float) ledValues[1]);
}

template <int numChannels>
forcedinline void HalvenekCore::processSettledOrNot (float* const* io, int numSamples)
{
    // A preset applied during the fade changes targets within the call.
    if (! isFading() && smoothed.isSettled (parameterSmoothing))
        process<numChannels, true> (io, numSamples);
    else
        process<numChannels, false> (io, numSamples);
}

HALVENEK_SAMPLE_LOOP_VERSIONS void HalvenekCore::processStereoVersions (float* left, float* right, int numSamples)
{
    float* const io[] { left, right };
    processSettledOrNot<2> (io, numSamples);
}

HALVENEK_SAMPLE_LOOP_VERSIONS void HalvenekCore::processMonoVersions (float* samples, int numSamples)
{
    float* const io[] { samples };
    processSettledOrNot<1> (io, numSamples);
}
