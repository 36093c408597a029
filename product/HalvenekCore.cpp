#include "HalvenekCore.h"

#include <algorithm>
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

// On x86-64 the sample loop is also compiled for AVX2 and AVX-512; the core runs the best
// version the processor supports.
#if (defined (__GNUC__) || defined (__clang__)) && defined (__x86_64__)
 #define HALVENEK_X86_SAMPLE_LOOPS 1
 #define HALVENEK_TARGET(features) __attribute__ ((target (features)))
#else
 #define HALVENEK_X86_SAMPLE_LOOPS 0
#endif

HalvenekCore::HalvenekCore (BasePluginOldStyle& processorToApplyPresets)
    : AmberCrestEffect::Core (processorToApplyPresets)
{
    // Until the host's rate arrives the core runs at the reference rate, so that values
    // computed from the first parameter notifications are finite.
    applySampleRate (referenceSampleRate);
    setHiPassTargets();
    useSampleLoop (getSupportedSampleLoops().back());

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
    ringLength = lineLength + chunkSize;
    writeIndex = ringIndex = 0;
    colourCoefficients = ChorusFilters::BbdCoefficients::forSampleRate (sampleRate);

    for (auto& channel : channels)
    {
        // Each sample is written twice, a ring length apart, so that any ring length of
        // consecutive samples lies in one piece.
        channel.dryLine.assign ((size_t) (2 * ringLength), 0.0);
        channel.wetLine.assign ((size_t) (2 * ringLength), 0.0);
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
    (this->*stereoLoop) (left, right, numSamples);
}

void HalvenekCore::processMono (float* samples, int numSamples)
{
    (this->*monoLoop) (samples, numSamples);
}

/** What one call works with. The running state is copied in at the start and back at the
    end: held in a local, it cannot be aliased by the line writes, which would otherwise
    force it through memory on every sample. */
struct HalvenekCore::CallState
{
    static constexpr int maxLfoSides = 2 * numLfos;
    using ReadIndices = int __attribute__ ((vector_size (16)));

    double* dryLines[2] {};
    double* wetLines[2] {};
    bool active[2] {};
    int u = 0, w = 0;   // the write index in the line length and in the ring, at the chunk start

    ChorusFilters::BbdColour<ChannelLanes> colour;
    ChorusFilters::HighPass<ChannelLanes> hiPass;
    ChannelLanes meters {}, followers {};
    ReadLanes first {}, second {};

    // Per sample of the chunk. LFO sides are in the order LFO 1 left, LFO 2 left, LFO 1
    // right, LFO 2 right.
    double phases[maxLfoSides][chunkSize], randomValues[maxLfoSides][chunkSize], lfoValues[maxLfoSides][chunkSize];
    unsigned char nonZeroInputs[chunkSize];   // bit k set when channel k's input is not 0
    ReadLanes firstAfter[chunkSize], secondAfter[chunkSize];
    ReadIndices newestInRing[chunkSize], phaseIndices[chunkSize];
    ReadLanes gains[chunkSize];
    ChannelLanes wet[chunkSize], written[chunkSize];
};

namespace
{
    /** The smoothed values of sample s of a chunk: one set for the whole call when they are
        settled. */
    template <bool settled, typename Values>
    forcedinline const Values& smoothedAt (const Values* values, int s) noexcept
    {
        return values[settled ? 0 : s];
    }

    forcedinline int wrapped (int index, int length) noexcept  { return index >= length ? index - length : index; }
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::process (float* const* io, int numSamples)
{
    constexpr bool stereo = numChannels == 2;

    CallState state;
    state.u = writeIndex;
    state.w = ringIndex;
    state.colour = colour;
    state.hiPass = hiPass;
    state.meters = meters;
    state.followers = followers;
    std::memcpy (&state.first, lfoOutputs.first.data(), sizeof (ReadLanes));
    std::memcpy (&state.second, lfoOutputs.second.data(), sizeof (ReadLanes));

    for (int ch = 0; ch < numChannels; ++ch)
    {
        state.dryLines[ch] = channels[(size_t) ch].dryLine.data();
        state.wetLines[ch] = channels[(size_t) ch].wetLine.data();
        state.active[ch] = channels[(size_t) ch].active;
    }

    SmoothedSnapshot history[settled ? 1 : chunkSize];

    if constexpr (settled)
        history[0] = smoothed.value;

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

        computeLfoValues<numChannels, settled> (state, history, count);
        writeInputs<numChannels, settled> (state, chunkIo, history, count);
        writeOutputs<numChannels, settled> (state, chunkIo, history, count);

        state.u = (state.u + count) % lineLength;
        state.w = (state.w + count) % ringLength;
    }

    for (int ch = 0; ch < numChannels; ++ch)
        channels[(size_t) ch].active = state.active[ch];

    colour = state.colour;
    hiPass = state.hiPass;
    meters = state.meters;
    followers = state.followers;
    std::memcpy (lfoOutputs.first.data(), &state.first, sizeof (double) * (size_t) (numChannels * numLfos));
    std::memcpy (lfoOutputs.second.data(), &state.second, sizeof (double) * (size_t) (numChannels * numLfos));
    writeIndex = state.u;
    ringIndex = state.w;

    publishMeters (meters[0], meters[stereo ? 1 : 0]);
    ledPair.set ((float) ledValues[0], (float) ledValues[1]);
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::computeLfoValues (CallState& state, const SmoothedSnapshot* values, int count)
{
    constexpr bool stereo = numChannels == 2;
    constexpr int numLfoSides = numChannels * numLfos;
    auto& lfo1 = lfos[0];
    auto& lfo2 = lfos[1];
    const bool synchronised = lfo2Synchronised;

    for (int s = 0; s < count; ++s)
    {
        const auto& v = smoothedAt<settled> (values, s);
        lfo1.advanceLeftPhase (v[increment]);
        lfo2.advanceLeftPhase (v[increment + 1]);

        if (synchronised)
            lfo2.leftPhase = lfo1.leftPhase;

        for (int n = 0; n < numLfos; ++n)
        {
            state.phases[n][s] = lfos[(size_t) n].leftPhase;
            state.randomValues[n][s] = lfos[(size_t) n].leftRandomValue;
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
                state.phases[numLfos + n][s] = lfo.rightPhase;
                state.randomValues[numLfos + n][s] = lfo.rightRandomValue;
            }
        }
    }

    for (int side = 0; side < numLfoSides; ++side)
        HalvenekLfo::waveformValues (lfos[(size_t) (side % numLfos)].waveform, state.phases[side], state.randomValues[side],
                                     state.lfoValues[side], count);

    ledValues[0] = flooredAtZero (state.lfoValues[0][count - 1]);
    ledValues[1] = flooredAtZero (state.lfoValues[1][count - 1]);
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::writeInputs (CallState& state, float* const* chunkIo, const SmoothedSnapshot* values, int count)
{
    const int m = ringLength;
    const bool colourOn = bbdOn;
    const ChorusFilters::BbdCoefficients coefficients = colourCoefficients;
    auto colourState = state.colour;
    auto hiPassState = state.hiPass;
    int w = state.w;

    for (int s = 0; s < count; ++s)
    {
        const auto& v = smoothedAt<settled> (values, s);
        ChannelLanes x {};
        unsigned char nonZero = 0;

        for (int ch = 0; ch < numChannels; ++ch)
        {
            const float input = chunkIo[ch][s];

            // A broken sample would stay in the filter states for ever; it counts as silence.
            x[ch] = std::isfinite (input) ? (double) input : 0.0;

            if (x[ch] != 0.0)
                nonZero |= (unsigned char) (1 << ch);

            state.dryLines[ch][w] = state.dryLines[ch][w + m] = x[ch];
        }

        const ChannelLanes coloured = colourOn ? colourState.process (x, coefficients) : colourState.bypass (x);
        const ChannelLanes filtered = hiPassState.process (coloured, v[hiPassA], v[hiPassB]);

        for (int ch = 0; ch < numChannels; ++ch)
            state.wetLines[ch][w] = state.wetLines[ch][w + m] = filtered[ch];

        state.nonZeroInputs[s] = nonZero;
        w = wrapped (w + 1, m);
    }

    state.colour = colourState;
    state.hiPass = hiPassState;
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::writeOutputs (CallState& state, float* const* chunkIo, const SmoothedSnapshot* values, int count)
{
    // The wet paths run while the activity gate is open, and the gate depends on the output
    // just written. The delay reads of a run of open samples are worked first, together,
    // on the assumption that the gate stays open to the end of the chunk; where it closes
    // earlier, the LFO smoothing goes back to where the gate closed.
    for (int s = 0; s < count;)
    {
        const unsigned char nonZero = state.nonZeroInputs[s];
        const bool gateOpen = state.active[0] || (nonZero & 1) != 0
                           || (numChannels == 2 && (state.active[1] || (nonZero & 2) != 0));

        if (gateOpen)
        {
            planReads<numChannels, settled> (state, values, s, count);
            readPaths<numChannels> (state, s, count);
        }

        const int end = writeOutputRun<numChannels, settled> (state, chunkIo, values, s, count, gateOpen);

        if (gateOpen)
        {
            state.first = state.firstAfter[end - 1];
            state.second = state.secondAfter[end - 1];
        }

        s = end;
    }
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::planReads (CallState& state, const SmoothedSnapshot* values, int from, int count) const
{
    constexpr bool stereo = numChannels == 2;
    using IntLanes = CallState::ReadIndices;

    const int l = lineLength, m = ringLength;
    const double smoothing = lfoSmoothing;
    ReadLanes first = state.first, second = state.second;
    int u = wrapped (state.u + from, l);
    int w = wrapped (state.w + from, m);

    for (int s = from; s < count; ++s)
    {
        const auto& v = smoothedAt<settled> (values, s);

        // Mono has no right side; its lanes are worked but never used.
        const ReadLanes lfoLanes { state.lfoValues[0][s], state.lfoValues[1][s],
                                   stereo ? flooredAtZero (state.lfoValues[stereo ? 2 : 0][s]) : 0.0,
                                   stereo ? flooredAtZero (state.lfoValues[stereo ? 3 : 0][s]) : 0.0 };
        first -= (first - lfoLanes) * smoothing + 1e-20;
        second -= (second - first) * smoothing + 1e-20;
        state.firstAfter[s] = first;
        state.secondAfter[s] = second;

        const ReadLanes depths { v[depth], v[depth + 1], v[depth], v[depth + 1] };
        const ReadLanes offsets { v[offset], v[offset + 1], v[offset], v[offset + 1] };
        const ReadLanes volumes { v[volume], v[volume + 1], v[volume], v[volume + 1] };
        const ReadLanes tremolos { v[tremolo], v[tremolo + 1], v[tremolo], v[tremolo + 1] };
        state.gains[s] = volumes * (tremolos * second + (1.0 - tremolos) + 1e-20);
        ReadLanes modulation = (second * depths + offsets) * 0.5 + 1e-20;

        // Held to 0 to 1 (NaN to 0), so that every read stays inside the line whatever
        // the LFO arithmetic gives.
        modulation = modulation > 0.0 ? modulation : 0.0;
        modulation = modulation < 1.0 ? modulation : 1.0;

        // The modulation term, 0 to 1, moves a read from the newest sample back to l - 32.
        const ReadLanes positions = (double) (u + l) - modulation * (double) (l - InterpolationTable::numTaps);
        const IntLanes newest = __builtin_convertvector (positions, IntLanes);
        state.phaseIndices[s] = __builtin_convertvector ((positions - __builtin_convertvector (newest, ReadLanes)) * (double) InterpolationTable::numPhases, IntLanes);

        // A position counts back from u + l in the line length; in the ring it counts back
        // from w + m.
        state.newestInRing[s] = newest + (w + m - u - l);

        u = wrapped (u + 1, l);
        w = wrapped (w + 1, m);
    }
}

template <int numChannels>
forcedinline void HalvenekCore::readPaths (CallState& state, int from, int count) const
{
    constexpr bool stereo = numChannels == 2;
    const double* const leftLine = state.wetLines[0];
    const double* const rightLine = state.wetLines[stereo ? 1 : 0];

    // Nothing here waits for an earlier sample, so the table rows of several samples are
    // fetched at once.
    for (int s = from; s < count; ++s)
    {
        const auto& newest = state.newestInRing[s];
        const auto& phases = state.phaseIndices[s];

        // Mono reads its two positions twice; the copies are not used.
        const InterpolationTable::Read reads[numReads] {
            { leftLine, newest[0], phases[0] },
            { leftLine, newest[1], phases[1] },
            { rightLine, newest[stereo ? 2 : 0], phases[stereo ? 2 : 0] },
            { rightLine, newest[stereo ? 3 : 1], phases[stereo ? 3 : 1] } };
        ReadLanes pathValues;
        table.interpolate (reads, pathValues);
        const ReadLanes weighted = state.gains[s] * pathValues;

        ChannelLanes wet {};

        for (int ch = 0; ch < numChannels; ++ch)
            wet[ch] = weighted[ch * numLfos] + weighted[ch * numLfos + 1];

        state.wet[s] = wet;
    }
}

template <int numChannels, bool settled>
forcedinline int HalvenekCore::writeOutputRun (CallState& state, float* const* chunkIo, const SmoothedSnapshot* values,
                                                int from, int count, bool gateOpen)
{
    constexpr bool stereo = numChannels == 2;

    // First the output of every sample to the chunk's end, on the assumption that the gate
    // stays as it is: where it changes, the next run writes those samples again. (A fading
    // chunk is one sample long, so the fade never steps for a sample written again.)
    const int m = ringLength;
    const int waitSamples = (int) (presetWaitSamples * rateRatio);
    int w = wrapped (state.w + from, m);

    for (int s = from; s < count; ++s)
    {
        const auto& v = smoothedAt<settled> (values, s);
        const ChannelLanes wet = gateOpen ? state.wet[s] : ChannelLanes {};
        const int dryIndex = w + m - interpolatorCentre;
        ChannelLanes dry {};

        for (int ch = 0; ch < numChannels; ++ch)
            dry[ch] = state.dryLines[ch][dryIndex];

        const double fade = isFading() ? stepPresetFade (fadeCoefficient, waitSamples) : 1.0;
        const ChannelLanes out = ((wet - dry) * v[mix] + dry) * v[outputGain] * fade;
        ChannelLanes written {};

        for (int ch = 0; ch < numChannels; ++ch)
        {
            const float sample = (float) out[ch];
            chunkIo[ch][s] = sample;
            written[ch] = sample;
        }

        state.written[s] = written;
        w = wrapped (w + 1, m);
    }

    // Then the meters, the followers and the gate, sample by sample.
    const double decay = meterDecay;
    ChannelLanes meterState = state.meters, followerState = state.followers;
    bool active[2] { state.active[0], stereo && state.active[1] };
    int s = from;

    for (; s < count; ++s)
    {
        const unsigned char nonZero = state.nonZeroInputs[s];

        for (int ch = 0; ch < numChannels; ++ch)
            if ((nonZero >> ch & 1) != 0)
                active[ch] = true;

        if ((active[0] || active[1]) != gateOpen)
            break;

        const ChannelLanes written = state.written[s];
        ChannelLanes levels {};

        for (int ch = 0; ch < numChannels; ++ch)
            levels[ch] = getMeterLevel (written[ch]);

        meterState = meterState < levels ? levels : meterState;
        meterState = meterState * decay + 1e-20;
        followerState *= decay + 1e-20;
        followerState = written > followerState ? written : followerState;

        for (int ch = 0; ch < numChannels; ++ch)
            if (followerState[ch] < 2e-5)
                active[ch] = false;
    }

    state.meters = meterState;
    state.followers = followerState;

    for (int ch = 0; ch < numChannels; ++ch)
        state.active[ch] = active[ch];

    return s;
}

template <int numChannels>
forcedinline void HalvenekCore::processSettledOrNot (float* left, float* right, int numSamples)
{
    // Mono passes its one channel as both; only the first is used.
    float* const io[] { left, right };

    // A preset applied during the fade changes targets within the call.
    if (! isFading() && smoothed.isSettled (parameterSmoothing))
        process<numChannels, true> (io, numSamples);
    else
        process<numChannels, false> (io, numSamples);
}

//==============================================================================
void HalvenekCore::processStereoPortable (float* left, float* right, int numSamples) { processSettledOrNot<2> (left, right, numSamples); }
void HalvenekCore::processMonoPortable (float* samples, int numSamples) { processSettledOrNot<1> (samples, samples, numSamples); }

#if HALVENEK_X86_SAMPLE_LOOPS
HALVENEK_TARGET ("avx2,fma") void HalvenekCore::processStereoAvx2 (float* left, float* right, int numSamples) { processSettledOrNot<2> (left, right, numSamples); }
HALVENEK_TARGET ("avx2,fma") void HalvenekCore::processMonoAvx2 (float* samples, int numSamples) { processSettledOrNot<1> (samples, samples, numSamples); }

HALVENEK_TARGET ("avx512f") void HalvenekCore::processStereoAvx512 (float* left, float* right, int numSamples) { processSettledOrNot<2> (left, right, numSamples); }
HALVENEK_TARGET ("avx512f") void HalvenekCore::processMonoAvx512 (float* samples, int numSamples) { processSettledOrNot<1> (samples, samples, numSamples); }
#endif

std::vector<HalvenekCore::SampleLoop> HalvenekCore::getSupportedSampleLoops()
{
    std::vector<SampleLoop> loops { SampleLoop::portable };

   #if HALVENEK_X86_SAMPLE_LOOPS
    __builtin_cpu_init();

    if (__builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma"))
        loops.push_back (SampleLoop::avx2);

    if (__builtin_cpu_supports ("avx512f"))
        loops.push_back (SampleLoop::avx512);
   #endif

    return loops;
}

bool HalvenekCore::useSampleLoop (SampleLoop loop)
{
    const auto supported = getSupportedSampleLoops();

    if (std::find (supported.begin(), supported.end(), loop) == supported.end())
        return false;

    stereoLoop = &HalvenekCore::processStereoPortable;
    monoLoop = &HalvenekCore::processMonoPortable;

   #if HALVENEK_X86_SAMPLE_LOOPS
    if (loop == SampleLoop::avx2)
    {
        stereoLoop = &HalvenekCore::processStereoAvx2;
        monoLoop = &HalvenekCore::processMonoAvx2;
    }
    else if (loop == SampleLoop::avx512)
    {
        stereoLoop = &HalvenekCore::processStereoAvx512;
        monoLoop = &HalvenekCore::processMonoAvx512;
    }
   #endif

    return true;
}
