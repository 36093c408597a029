#include "HalvenekCore.h"

#include <algorithm>
#include <cstdint>
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

    meterDecayRamp[chunkSize] = 1.0;

    for (size_t i = chunkSize; i-- > 0;)
        meterDecayRamp[i] = meterDecayRamp[i + 1] * meterDecay;

    lineLength = (int) std::floor (lineSeconds * sampleRate);
    ringLength = lineLength + chunkSize;
    writeIndex = ringIndex = 0;
    colourCoefficients = ChorusFilters::BbdCoefficients::forSampleRate (sampleRate);

    for (auto& channel : channels)
    {
        // Each sample is written twice, a ring length apart, so that any ring length of
        // consecutive samples lies in one piece.
        channel.wetLine.assign ((size_t) (2 * ringLength), 0.0f);
        channel.dryHistory = {};
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

            case lfoDepth:          smoothed.setLfoTarget (SmoothedValues::depths, n, value); break;
            case lfoOffset:         smoothed.setLfoTarget (SmoothedValues::offsets, n, value); break;
            case lfoWaveform:       lfo.waveform = roundedIndex (value, 5); break;
            case pathVolume:        smoothed.setLfoTarget (SmoothedValues::volumes, n, value); break;
            case lfoTremolo:        smoothed.setLfoTarget (SmoothedValues::tremolos, n, value); break;
            case lfoStereoPhase:    smoothed.setLfoTarget (SmoothedValues::stereoOffsets, n, value * HalvenekLfo::pi); break;
            default:                break;   // the note rate reaches the LFO as cycles per beat
        }

        return;
    }

    switch (index)
    {
        case lfo2Synchronize:   lfo2Synchronised = value >= 0.5; break;
        case bbd:               bbdOn = value >= 0.5; break;
        case fx:                smoothed.target[SmoothedValues::outputStage][SmoothedValues::mix] = value; break;
        case outputVolume:      smoothed.target[SmoothedValues::outputStage][SmoothedValues::outputGain] = outputGainForValue (value); break;

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
    smoothed.target[SmoothedValues::outputStage][SmoothedValues::hiPassA] = coefficients.a;
    smoothed.target[SmoothedValues::outputStage][SmoothedValues::hiPassB] = coefficients.b;
}

void HalvenekCore::updateLfoRate (int lfoIndex) noexcept
{
    auto& lfo = lfos[(size_t) lfoIndex];
    lfo.updateRate (tempo);
    smoothed.setLfoTarget (SmoothedValues::increments, lfoIndex, lfo.getIncrementFor (sampleRate));
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

namespace
{
    using Lanes = InterpolationTable::Results;
    using IntLanes = int __attribute__ ((vector_size (16)));

    forcedinline int wrapped (int index, int length) noexcept  { return index >= length ? index - length : index; }
}

/** What one call carries from chunk to chunk. The running state is copied in at the start
    and back at the end: held in a local, it cannot be aliased by the line writes, which
    would otherwise force it through memory on every sample. */
struct HalvenekCore::CallState
{
    float* wetLines[2] {};
    bool active[2] {};
    int u = 0, w = 0;   // the write index in the line length and in the ring, at the chunk start

    ChorusFilters::BbdColour<ChannelLanes> colour;
    ChorusFilters::HighPass<ChannelLanes> hiPass;
    ChannelLanes meters {}, followers {};
    Lanes first {}, second {};
    SmoothedValues::Array values {};
    unsigned movingGroups = 0;

    /** The groups whose values move in this call, a bit each: none in a call known to be
        settled, where that is said at compile time so that the paths for moving values drop out. */
    template <bool settled>
    unsigned moving() const noexcept    { return settled ? 0u : movingGroups; }

    /** True when a group's values move in this call; otherwise they hold for the whole call. */
    template <bool settled>
    bool moves (SmoothedValues::Group group) const noexcept    { return (moving<settled>() >> group & 1) != 0; }
};

/** What the stages of one chunk pass on, per sample. */
struct HalvenekCore::Chunk
{
    double inputs[2][interpolatorCentre + chunkSize];   // finite, as doubles, after the last ones of the chunk before
    unsigned char nonZeroInputs[chunkSize];    // bit k set when channel k's input is not 0
    // The smoothed values of each sample while they move, a row per group, so that
    // neighbouring samples' values lie side by side. A group that holds still has only
    // its first two samples written, which serve every sample: its row mask, which the
    // sample index is taken through, is 0 (all bits while it moves). The LFOs' own groups
    // (increments, stereo offsets) have no rows while they move: only the LFOs read them.
    Lanes history[SmoothedValues::numGroups][chunkSize];
    int rowMasks[SmoothedValues::numGroups];
    Lanes phases[chunkSize], randomValues[chunkSize], lfoValues[chunkSize];
    Lanes firstAfter[chunkSize], secondAfter[chunkSize], gains[chunkSize];
    // The reads' table rows, in floats from the table's start, and their first line
    // samples, as indices into their lines: the reads add them to their bases.
    int phaseRows[chunkSize][numReads];
    int oldestSamples[chunkSize][numReads];
    double wet[2][chunkSize];       // the paths' sum per channel, while the activity gate is open
    double written[2][chunkSize];   // the output samples as written

    SmoothedValues::Array firstValues() const noexcept
    {
        SmoothedValues::Array values;

        for (size_t group = 0; group < values.size(); ++group)
            values[group] = history[group][0];

        return values;
    }
};

/** Plans the delay reads: the LFO output smoothing, sample by sample beside the input
    filters, whose chains of steps it then overlaps; then, in a pass of its own that works
    two samples at once, the path gains and the read positions. Its constants are held
    here, so that the line writes next to it cannot force them through memory. */
struct HalvenekCore::ReadPlanner
{
    Lanes smoothing, keptShare;   // in every lane, so that no loop has to spread them
    int l, m;
    double longestModulation;

    explicit ReadPlanner (const HalvenekCore& core) noexcept
        : smoothing (Lanes {} + core.lfoSmoothing), keptShare (Lanes {} + (1.0 - core.lfoSmoothing)),
          l (core.lineLength), m (core.ringLength),
          longestModulation ((double) (core.lineLength - InterpolationTable::numTaps))
    {
    }

    template <int numChannels>
    forcedinline void smooth (Chunk& chunk, int s, Lanes& first, Lanes& second) const noexcept
    {
        const Lanes& lfoValues = chunk.lfoValues[s];

        // The right sides' values below 0 (and NaN) count as 0; mono has no right side,
        // and its lanes are worked but never used.
        using LaneMask = decltype (lfoValues > 0.0);
        const LaneMask leftLanes { -1, -1, 0, 0 };
        const LaneMask kept = numChannels == 2 ? (leftLanes | (lfoValues > 0.0)) : leftLanes;
        const Lanes lfoLanes = kept ? lfoValues : 0.0;
        // x -= (x - input) * smoothing + 1e-20, written so that only one multiply and one
        // addition wait for the sample before.
        first = first * keptShare + (lfoLanes * smoothing - 1e-20);
        second = second * keptShare + (first * smoothing - 1e-20);
        chunk.firstAfter[s] = first;
        chunk.secondAfter[s] = second;
    }

    /** The gains and positions of the reads of samples from to count - 1, whose smoothing
        is done, in pairs of samples where the target allows; u and w are the write
        indices of sample from. */
    template <bool settled, bool pairs>
    forcedinline void place (Chunk& chunk, int from, int count, int u, int w) const noexcept
    {
        using Group = SmoothedValues;
        using Pair = double __attribute__ ((vector_size (64)));
        using IntPair = int __attribute__ ((vector_size (32)));

        // Settled values are held here, where the stores of the plan cannot touch them.
        const SmoothedValues::Array settledValues = settled ? chunk.firstValues() : SmoothedValues::Array {};

        auto valueAt = [&] (int s, Group::Group group) -> const Lanes&
        {
            return settled ? settledValues[group] : chunk.history[group][s & chunk.rowMasks[group]];
        };

        // A group's values for a sample and the next, side by side, which lie side by side
        // in the chunk while they move (written to a reference, as a vector return value
        // would change the calling convention between instruction sets).
        auto pairAt = [&] (int s, Group::Group group, Pair& pair)
        {
            if constexpr (settled)
                pair = __builtin_shufflevector (valueAt (s, group), valueAt (s, group), 0, 1, 2, 3, 4, 5, 6, 7);
            else
                std::memcpy (&pair, &valueAt (s, group), sizeof (pair));
        };

        for (int s = from; s < count;)
        {
            const int runEnd = std::min (count, s + std::min (l - u, m - w));
            const int ringOffset = w + m - u - l;

            for (; pairs && s + 1 < runEnd; s += 2, u += 2, w += 2)
            {
                Pair second, volumes, tremolos, depths, offsets, gains;
                std::memcpy (&second, &chunk.secondAfter[s], sizeof (second));
                pairAt (s, Group::volumes, volumes);
                pairAt (s, Group::tremolos, tremolos);
                pairAt (s, Group::depths, depths);
                pairAt (s, Group::offsets, offsets);

                IntPair newest, phases;
                placeReads (second, volumes, tremolos, depths, offsets,
                            Pair { 0, 0, 0, 0, 1, 1, 1, 1 } + (double) (u + l), gains, newest, phases);
                std::memcpy (&chunk.gains[s], &gains, sizeof (gains));
                storeIndices (newest, phases, ringOffset, chunk.oldestSamples[s], chunk.phaseRows[s]);
            }

            for (; s < runEnd; ++s, ++u, ++w)
            {
                IntLanes newest, phases;
                placeReads (chunk.secondAfter[s], valueAt (s, Group::volumes), valueAt (s, Group::tremolos),
                            valueAt (s, Group::depths), valueAt (s, Group::offsets),
                            Lanes {} + (double) (u + l), chunk.gains[s], newest, phases);
                storeIndices (newest, phases, ringOffset, chunk.oldestSamples[s], chunk.phaseRows[s]);
            }

            u = wrapped (u, l);
            w = wrapped (w, m);
        }
    }

    /** Where reads start, one per lane: their first line samples and table rows. A
        position counts back from u + l in the line length; in the ring it counts back from
        w + m, which is ringOffset further on. */
    template <typename Indices>
    forcedinline void storeIndices (const Indices& newest, const Indices& phases, int ringOffset,
                                    int* oldestSamples, int* phaseRows) const noexcept
    {
        const Indices oldest = newest + (ringOffset - (InterpolationTable::numTaps - 1));
        const Indices rows = phases * InterpolationTable::numTaps;

        // Consecutive reads, so that each pair of samples goes out in whole vectors.
        std::memcpy (oldestSamples, &oldest, sizeof (oldest));
        std::memcpy (phaseRows, &rows, sizeof (rows));
    }

    /** The gain and the newest sample and table phase of reads, one per lane. */
    template <typename Values, typename Indices>
    forcedinline void placeReads (const Values& second, const Values& volumes, const Values& tremolos,
                                  const Values& depths, const Values& offsets, const Values& newestPositions,
                                  Values& gains, Indices& newest, Indices& phases) const noexcept
    {
        gains = volumes * (tremolos * second + (1.0 - tremolos) + 1e-20);
        Values modulation = (second * depths + offsets) * 0.5 + 1e-20;

        // Held to 0 to 1 (NaN to 0), so that every read stays inside the line whatever
        // the LFO arithmetic gives.
        modulation = modulation > 0.0 ? modulation : 0.0;
        modulation = modulation < 1.0 ? modulation : 1.0;

        // The modulation term, 0 to 1, moves a read from the newest sample back to l - 32.
        // Counted in table phases (scaling by their number, a power of 2, is exact), a
        // position's whole samples give the newest line sample and the rest the phase.
        constexpr int phaseBits = 9, phasesPerSample = 1 << phaseBits;
        static_assert (phasesPerSample == InterpolationTable::numPhases);
        const Values positions = newestPositions * (double) phasesPerSample
                               - modulation * (longestModulation * phasesPerSample);
        const Indices phasesFromStart = __builtin_convertvector (positions, Indices);
        newest = phasesFromStart >> phaseBits;
        phases = phasesFromStart & (phasesPerSample - 1);
    }
};

HalvenekCore::LfoLanes HalvenekCore::loadLfoLanes() const noexcept
{
    const auto& lfo1 = lfos[0];
    const auto& lfo2 = lfos[1];

    LfoLanes state;
    state.accumulators = Lanes { lfo1.leftPhase, lfo2.leftPhase, lfo1.rightAccumulator, lfo2.rightAccumulator };
    state.phases = Lanes { lfo1.leftPhase, lfo2.leftPhase, lfo1.rightPhase, lfo2.rightPhase };
    state.randomValues = Lanes { lfo1.leftRandomValue, lfo2.leftRandomValue, lfo1.rightRandomValue, lfo2.rightRandomValue };
    return state;
}

template <int numChannels>
void HalvenekCore::storeLfoLanes (const LfoLanes& state) noexcept
{
    for (int n = 0; n < numLfos; ++n)
    {
        auto& lfo = lfos[(size_t) n];
        lfo.leftPhase = state.phases[n];
        lfo.leftRandomValue = state.randomValues[n];

        // Mono leaves the right sides as they are.
        if constexpr (numChannels == 2)
        {
            lfo.rightAccumulator = state.accumulators[n + numLfos];
            lfo.rightPhase = state.phases[n + numLfos];
            lfo.rightRandomValue = state.randomValues[n + numLfos];
        }
    }
}

template <int numChannels>
void HalvenekCore::stepLfosAtWrap (const Lanes& increments, const Lanes& stereoOffsets) noexcept
{
    auto& lfo1 = lfos[0];
    auto& lfo2 = lfos[1];
    lfo1.advanceLeftPhase (increments[0]);
    lfo2.advanceLeftPhase (increments[1]);

    if (lfo2Synchronised)
        lfo2.leftPhase = lfo1.leftPhase;

    if constexpr (numChannels == 2)
    {
        for (int n = 0; n < numLfos; ++n)
        {
            auto& lfo = lfos[(size_t) n];
            lfo.rightAccumulator += increments[n + numLfos];

            if (n == 1 && lfo2Synchronised)
                lfo.rightAccumulator = lfo1.rightAccumulator;

            lfo.updateRightPhase (stereoOffsets[n + numLfos]);
        }
    }
}

template <int numChannels, bool settled, bool pairs>
forcedinline void HalvenekCore::process (float* const* io, int numSamples, unsigned movingGroups)
{
    constexpr bool stereo = numChannels == 2;

    CallState state;
    Chunk chunk;
    state.u = writeIndex;
    state.w = ringIndex;
    state.colour = colour;
    state.hiPass = hiPass;
    state.meters = meters;
    state.followers = followers;
    state.first = lfoOutputs.first;
    state.second = lfoOutputs.second;
    state.values = smoothed.value;
    state.movingGroups = movingGroups;

    for (int ch = 0; ch < numChannels; ++ch)
    {
        state.wetLines[ch] = channels[(size_t) ch].wetLine.data();
        std::copy (channels[(size_t) ch].dryHistory.begin(), channels[(size_t) ch].dryHistory.end(), chunk.inputs[ch]);
        state.active[ch] = channels[(size_t) ch].active;
    }

    for (size_t group = 0; group < (size_t) SmoothedValues::numGroups; ++group)
    {
        const bool moves = state.moves<settled> ((SmoothedValues::Group) group);
        chunk.rowMasks[group] = moves ? -1 : 0;

        if (! moves)
            chunk.history[group][0] = chunk.history[group][1] = state.values[group];
    }

    for (int start = 0; start < numSamples;)
    {
        const int count = std::min (isFading() ? 1 : chunkSize, numSamples - start);
        float* const chunkIo[] { io[0] + start, io[stereo ? 1 : 0] + start };
        start += count;

        // The reads of the first run of the chunk are planned with its input and LFOs, on
        // the assumption that the activity gate stays as it is at the chunk's start.
        readInputs<numChannels> (chunk, chunkIo, count);
        const unsigned char nonZero = chunk.nonZeroInputs[0];
        const bool gateOpen = state.active[0] || (nonZero & 1) != 0
                           || (stereo && (state.active[1] || (nonZero & 2) != 0));

        computeLfoValues<numChannels, settled, pairs> (state, chunk, count);
        writeInputs<numChannels, settled, pairs> (state, chunk, count, gateOpen);
        writeOutputs<numChannels, settled, pairs> (state, chunk, chunkIo, count, gateOpen);

        state.u = (state.u + count) % lineLength;
        state.w = (state.w + count) % ringLength;

        // The last inputs go to the front, where the next chunk's dry signal finds them.
        for (int ch = 0; ch < numChannels; ++ch)
            std::memmove (chunk.inputs[ch], chunk.inputs[ch] + count, sizeof (double) * interpolatorCentre);
    }

    for (int ch = 0; ch < numChannels; ++ch)
        channels[(size_t) ch].active = state.active[ch];

    colour = state.colour;
    hiPass = state.hiPass;
    meters = state.meters;
    followers = state.followers;

    // Mono leaves the right sides' smoothing as it is.
    lfoOutputs.first = stereo ? state.first : __builtin_shufflevector (state.first, lfoOutputs.first, 0, 1, 6, 7);
    lfoOutputs.second = stereo ? state.second : __builtin_shufflevector (state.second, lfoOutputs.second, 0, 1, 6, 7);

    if constexpr (! settled)
        smoothed.value = state.values;

    writeIndex = state.u;
    ringIndex = state.w;

    for (int ch = 0; ch < numChannels; ++ch)
        std::copy (chunk.inputs[ch], chunk.inputs[ch] + interpolatorCentre, channels[(size_t) ch].dryHistory.begin());
}

template <int numChannels>
forcedinline void HalvenekCore::readInputs (Chunk& chunk, float* const* chunkIo, int count) noexcept
{
    // A broken sample would stay in the filter states for ever; it counts as silence. The
    // test looks at the bits (infinities and NaN have every exponent bit set), so that it
    // works on many samples at once.
    for (int ch = 0; ch < numChannels; ++ch)
    {
        const float* const samples = chunkIo[ch];
        double* const converted = chunk.inputs[ch] + interpolatorCentre;

        for (int s = 0; s < count; ++s)
        {
            constexpr std::uint32_t exponentBits = 0x7f800000u;
            std::uint32_t bits;
            std::memcpy (&bits, samples + s, sizeof (bits));
            bits &= 0u - (std::uint32_t) ((bits & exponentBits) != exponentBits);
            float input;
            std::memcpy (&input, &bits, sizeof (input));
            converted[s] = input;
        }
    }

    for (int s = 0; s < count; ++s)
        chunk.nonZeroInputs[s] = (unsigned char) ((chunk.inputs[0][interpolatorCentre + s] != 0.0 ? 1 : 0)
                                                  | (numChannels == 2 && chunk.inputs[numChannels - 1][interpolatorCentre + s] != 0.0 ? 2 : 0));
}

template <int numChannels, bool settled, bool pairs>
forcedinline void HalvenekCore::computeLfoValues (CallState& state, Chunk& chunk, int count)
{
    using Group = SmoothedValues;

    // The groups that only later stages read fill their rows one group at a time; the
    // LFOs' own step beside the LFOs, sample by sample.
    constexpr unsigned lfoGroups = 1u << Group::increments | 1u << Group::stereoOffsets;
    const unsigned movingGroups = state.moving<settled>();

    for (size_t group = 0; group < (size_t) Group::numGroups; ++group)
        if (((movingGroups & ~lfoGroups) >> group & 1) != 0)
            Group::fillRow (state.values[group], smoothed.target[group], parameterSmoothing, chunk.history[group], count);

    if ((movingGroups & lfoGroups) != 0)
        advanceLfos<numChannels, true> (state, chunk, count);
    else
        advanceLfos<numChannels, false> (state, chunk, count);

    // The waveforms, in pairs of samples where the target allows; where the LFOs differ,
    // LFO 2's lanes come from a second waveform.
    const int waveform1 = lfos[0].waveform, waveform2 = lfos[1].waveform;

    auto waveforms = [waveform1, waveform2] (const auto& phases, const auto& randomValues, auto& waveformValues)
    {
        HalvenekLfo::waveformValue (waveform1, phases, randomValues, waveformValues);

        if (waveform2 != waveform1)
        {
            auto lfo2Values = waveformValues;
            HalvenekLfo::waveformValue (waveform2, phases, randomValues, lfo2Values);

            // LFO 2's sides are the odd lanes.
            for (size_t i = 1; i < sizeof (lfo2Values) / sizeof (double); i += 2)
                waveformValues[i] = lfo2Values[i];
        }
    };

    int s = 0;

    for (; pairs && s + 1 < count; s += 2)
    {
        using Pair = double __attribute__ ((vector_size (64)));
        Pair phases, randomValues, pairValues;
        std::memcpy (&phases, &chunk.phases[s], sizeof (Pair));
        std::memcpy (&randomValues, &chunk.randomValues[s], sizeof (Pair));
        waveforms (phases, randomValues, pairValues);
        std::memcpy (&chunk.lfoValues[s], &pairValues, sizeof (Pair));
    }

    for (; s < count; ++s)
        waveforms (chunk.phases[s], chunk.randomValues[s], chunk.lfoValues[s]);

    ledValues[0] = flooredAtZero (chunk.lfoValues[count - 1][0]);
    ledValues[1] = flooredAtZero (chunk.lfoValues[count - 1][1]);
}

template <int numChannels, bool ownValuesMove>
forcedinline void HalvenekCore::advanceLfos (CallState& state, Chunk& chunk, int count)
{
    constexpr bool stereo = numChannels == 2;
    using Group = SmoothedValues;

    const bool synchronised = lfo2Synchronised;
    const bool incrementsMove = ownValuesMove && state.moves<false> (Group::increments);
    const bool stereoOffsetsMove = ownValuesMove && state.moves<false> (Group::stereoOffsets);
    const Lanes incrementTargets = smoothed.target[Group::increments];
    const Lanes stereoOffsetTargets = smoothed.target[Group::stereoOffsets];
    const double smoothing = parameterSmoothing;
    // Held in registers, where the stores of the chunk cannot touch them.
    Lanes increments = state.values[Group::increments];
    Lanes stereoOffsets = state.values[Group::stereoOffsets];
    LfoLanes lfoState = loadLfoLanes();

    // Both LFOs, both sides at once. Only where a phase wraps does a sample take the plain
    // steps, which also draw the random values.
    for (int s = 0; s < count; ++s)
    {
        if constexpr (ownValuesMove)
        {
            if (incrementsMove)
                Group::step (increments, incrementTargets, smoothing);

            if (stereoOffsetsMove)
                Group::step (stereoOffsets, stereoOffsetTargets, smoothing);
        }

        const Lanes stepIncrements { increments[0], increments[1], stereo ? increments[2] : 0.0, stereo ? increments[3] : 0.0 };
        const Lanes ownLeftPhases = lfoState.accumulators + stepIncrements;
        const Lanes accumulators = synchronised ? __builtin_shufflevector (ownLeftPhases, ownLeftPhases, 0, 0, 2, 2) : ownLeftPhases;
        const Lanes phases = accumulators + Lanes { 0.0, 0.0, stereoOffsets[2], stereoOffsets[3] };
        const Lanes wrapChecked { ownLeftPhases[0], ownLeftPhases[1], stereo ? phases[2] : 0.0, stereo ? phases[3] : 0.0 };

        if (anyLane ((wrapChecked > HalvenekLfo::twoPi) | (wrapChecked < 0.0)))
        {
            storeLfoLanes<numChannels> (lfoState);
            stepLfosAtWrap<numChannels> (increments, stereoOffsets);
            lfoState = loadLfoLanes();
        }
        else
        {
            lfoState.accumulators = accumulators;
            lfoState.phases = phases;
        }

        chunk.phases[s] = lfoState.phases;
        chunk.randomValues[s] = lfoState.randomValues;
    }

    storeLfoLanes<numChannels> (lfoState);
    state.values[Group::increments] = increments;
    state.values[Group::stereoOffsets] = stereoOffsets;
}

template <int numChannels, bool settled, bool pairs>
forcedinline void HalvenekCore::writeInputs (CallState& state, Chunk& chunk, int count, bool planReadsToo)
{
    using Group = SmoothedValues;

    const int l = lineLength, m = ringLength;
    const bool colourOn = bbdOn;
    const ChorusFilters::BbdCoefficients coefficients = colourCoefficients;
    auto colourState = state.colour;
    auto hiPassState = state.hiPass;
    const ReadPlanner planner (*this);
    const Lanes settledOutputStage = chunk.history[Group::outputStage][0];
    const bool hiPassSettled = ! state.moves<settled> (Group::outputStage);
    Lanes first = state.first, second = state.second;
    int u = state.u, w = state.w;

    // The input, coloured and hi-passed into the wet line; with it, when asked, the plan of
    // the delay reads, whose chain of steps then overlaps the filters'. The samples up to
    // the next wrap of either write index are worked as one run.
    for (int s = 0; s < count;)
    {
        const int runEnd = std::min (count, s + std::min (l - u, m - w));

        for (; s < runEnd; ++s, ++u, ++w)
        {
            const Lanes& outputStage = hiPassSettled ? settledOutputStage : chunk.history[Group::outputStage][s];
            ChannelLanes x {};

            for (int ch = 0; ch < numChannels; ++ch)
                x[ch] = chunk.inputs[ch][interpolatorCentre + s];

            const ChannelLanes coloured = colourOn ? colourState.process (x, coefficients) : colourState.bypass (x);
            const ChannelLanes filtered = hiPassState.process (coloured, outputStage[Group::hiPassA], outputStage[Group::hiPassB]);

            for (int ch = 0; ch < numChannels; ++ch)
                state.wetLines[ch][w] = state.wetLines[ch][w + m] = (float) filtered[ch];

            if (planReadsToo)
                planner.smooth<numChannels> (chunk, s, first, second);
        }

        u = wrapped (u, l);
        w = wrapped (w, m);
    }

    state.colour = colourState;
    state.hiPass = hiPassState;

    if (planReadsToo)
        planner.place<settled, pairs> (chunk, 0, count, state.u, state.w);
}

template <int numChannels, bool settled, bool pairs>
forcedinline void HalvenekCore::planReads (CallState& state, Chunk& chunk, int from, int count) const noexcept
{
    const ReadPlanner planner (*this);
    Lanes first = state.first, second = state.second;

    for (int s = from; s < count; ++s)
        planner.smooth<numChannels> (chunk, s, first, second);

    planner.place<settled, pairs> (chunk, from, count, wrapped (state.u + from, lineLength), wrapped (state.w + from, ringLength));
}

template <int numChannels>
forcedinline void HalvenekCore::readPaths (const CallState& state, Chunk& chunk, int from, int count) const noexcept
{
    // Mono reads its left line in the right lanes too; they are not used.
    const float* const tableStart = table.getPhaseRow (0);
    const float* const lines[numReads] { state.wetLines[0], state.wetLines[0],
                                         state.wetLines[numChannels - 1], state.wetLines[numChannels - 1] };

    // Nothing here waits for an earlier sample, so the table rows of several samples are
    // fetched at once.
    for (int s = from; s < count; ++s)
    {
        InterpolationTable::Read reads[numReads];

        for (int r = 0; r < numReads; ++r)
            reads[r] = { tableStart + chunk.phaseRows[s][r], lines[r] + chunk.oldestSamples[s][r] };

        Lanes pathValues;
        table.interpolate (reads, pathValues);
        // Each side's two paths: lanes 0 and 2 hold the left's and the right's sums.
        const Lanes weighted = chunk.gains[s] * pathValues;
        const Lanes sides = weighted + __builtin_shufflevector (weighted, weighted, 1, 0, 3, 2);

        for (int ch = 0; ch < numChannels; ++ch)
            chunk.wet[ch][s] = sides[ch * numLfos];
    }
}

template <int numChannels, bool settled, bool pairs>
forcedinline void HalvenekCore::writeOutputs (CallState& state, Chunk& chunk, float* const* chunkIo, int count, bool firstRunPlanned)
{
    // The wet paths run while the activity gate is open, and the gate depends on the output
    // just written. The delay reads of a run of open samples are worked first, together,
    // on the assumption that the gate stays open to the end of the chunk; where it closes
    // earlier, the LFO smoothing goes back to where the gate closed.
    for (int s = 0; s < count;)
    {
        const unsigned char nonZero = chunk.nonZeroInputs[s];
        const bool gateOpen = state.active[0] || (nonZero & 1) != 0
                           || (numChannels == 2 && (state.active[1] || (nonZero & 2) != 0));

        if (gateOpen)
        {
            if (! (s == 0 && firstRunPlanned))
                planReads<numChannels, settled, pairs> (state, chunk, s, count);

            readPaths<numChannels> (state, chunk, s, count);
        }

        const int end = writeOutputRun<numChannels, settled> (state, chunk, chunkIo, s, count, gateOpen);

        if (gateOpen)
        {
            state.first = chunk.firstAfter[end - 1];
            state.second = chunk.secondAfter[end - 1];
        }

        s = end;
    }
}

template <int numChannels, bool settled>
forcedinline int HalvenekCore::writeOutputRun (CallState& state, Chunk& chunk, float* const* chunkIo,
                                                int from, int count, bool gateOpen)
{
    // The output samples of the rest of the chunk first, many at once (with the output
    // stage's values as constants when only other values move, as under LFO automation);
    // then, sample by sample, the followers and the activity gate. Where the gate changes,
    // the run ends, and the next run writes that sample again with the gate as it is. Last,
    // the meters up to the run's end.
    if (! state.moves<settled> (SmoothedValues::outputStage))
        writeOutputSamples<numChannels, true> (chunk, chunkIo, from, count, gateOpen);
    else
        writeOutputSamples<numChannels, false> (chunk, chunkIo, from, count, gateOpen);

    const int end = followActivity<numChannels> (state, chunk, from, count, gateOpen);
    updateMeters<numChannels> (state, chunk, from, end);
    return end;
}

template <int numChannels, bool settled>
forcedinline void HalvenekCore::writeOutputSamples (Chunk& chunk, float* const* chunkIo, int from, int count, bool gateOpen)
{
    using Group = SmoothedValues;

    // A fading chunk is one sample long, and its run never ends early, so the fade steps
    // once for each sample written.
    const double fade = isFading() ? stepPresetFade (fadeCoefficient, (int) (presetWaitSamples * rateRatio)) : 1.0;
    const Lanes settledOutputStage = chunk.history[Group::outputStage][0];

    for (int ch = 0; ch < numChannels; ++ch)
    {
        const double* const wet = chunk.wet[ch];
        const double* const dry = chunk.inputs[ch];   // the input interpolatorCentre samples before
        float* const samples = chunkIo[ch];
        double* const written = chunk.written[ch];

        for (int s = from; s < count; ++s)
        {
            const Lanes& outputStage = settled ? settledOutputStage : chunk.history[Group::outputStage][s];
            const double wetSample = gateOpen ? wet[s] : 0.0;
            const float sample = (float) (((wetSample - dry[s]) * outputStage[Group::mix] + dry[s])
                                          * outputStage[Group::outputGain] * fade);
            samples[s] = sample;
            written[s] = sample;
        }
    }
}

template <int numChannels>
forcedinline int HalvenekCore::followActivity (CallState& state, const Chunk& chunk, int from, int count, bool gateOpen) const noexcept
{
    // Each channel's follower takes the samples as written; a channel whose follower falls
    // below -94 dB and whose input is silent is inactive. The gate is open while any
    // channel is active.
    const double followerDecay = meterDecay + 1e-20;
    constexpr double followerFloor = 2e-5;
    ChannelLanes followerState = state.followers;

    auto writtenAt = [&chunk] (int s)
    {
        return ChannelLanes { chunk.written[0][s], numChannels == 2 ? chunk.written[numChannels - 1][s] : 0.0 };
    };

    auto larger = [] (const ChannelLanes& a, const ChannelLanes& b) { return a > b ? a : b; };

    auto follow = [&] (int s)
    {
        followerState = larger (writtenAt (s), followerState * followerDecay);
    };

    // While every channel's input sounds, every channel is active at each sample: the gate
    // stays open, and only the last sample's followers decide what is active after it.
    constexpr unsigned char allChannels = numChannels == 2 ? 3 : 1;
    unsigned char soundingThroughout = allChannels;

    for (int s = from; s < count; ++s)
        soundingThroughout &= chunk.nonZeroInputs[s];

    if (gateOpen && soundingThroughout == allChannels)
    {
        // Two samples per step: rounding keeps the order of numbers, so the larger of two
        // values, decayed, is the larger of the two decayed, and only the follower's own
        // two decays wait for the step before.
        int s = from;

        for (; s + 1 < count; s += 2)
            followerState = larger (larger (writtenAt (s + 1), writtenAt (s) * followerDecay),
                                    (followerState * followerDecay) * followerDecay);

        for (; s < count; ++s)
            follow (s);

        for (int ch = 0; ch < numChannels; ++ch)
            state.active[ch] = ! (followerState[ch] < followerFloor);

        state.followers = followerState;
        return count;
    }

    bool active[2] { state.active[0], numChannels == 2 && state.active[1] };
    int s = from;

    for (; s < count; ++s)
    {
        const unsigned char nonZero = chunk.nonZeroInputs[s];

        for (int ch = 0; ch < numChannels; ++ch)
            if ((nonZero >> ch & 1) != 0)
                active[ch] = true;

        if ((active[0] || active[1]) != gateOpen)
            break;

        follow (s);

        for (int ch = 0; ch < numChannels; ++ch)
            if (followerState[ch] < followerFloor)
                active[ch] = false;
    }

    state.followers = followerState;

    for (int ch = 0; ch < numChannels; ++ch)
        state.active[ch] = active[ch];

    return s;
}

template <int numChannels>
forcedinline void HalvenekCore::updateMeters (CallState& state, const Chunk& chunk, int from, int end) const noexcept
{
    // Per sample, meter := max (meter, level) * decay + 1e-20. To within rounding that is
    // the largest of the meter decayed over the whole run and of each level decayed over
    // the rest of it, which needs no chain of steps from sample to sample.
    const double* const decayUntilEnd = meterDecayRamp.data() + chunkSize - end;

    for (int ch = 0; ch < numChannels; ++ch)
    {
        const double* const written = chunk.written[ch];
        double peak = state.meters[ch] * decayUntilEnd[from];

        #pragma omp simd reduction (max : peak)
        for (int s = from; s < end; ++s)
            peak = std::max (peak, getMeterLevel (written[s]) * decayUntilEnd[s]);

        state.meters[ch] = peak + 1e-20;
    }
}

template <int numChannels, bool pairs>
forcedinline void HalvenekCore::processSettledOrNot (float* left, float* right, int numSamples)
{
    // Mono passes its one channel as both; only the first is used.
    float* const io[] { left, right };

    // A preset applied during the silent preset change changes targets within the call,
    // so then every value is stepped.
    const unsigned movingGroups = isFading() ? ~0u : smoothed.movingGroups (parameterSmoothing);

    if (movingGroups == 0)
        process<numChannels, true, pairs> (io, numSamples, 0);
    else
        process<numChannels, false, pairs> (io, numSamples, movingGroups);

    publishMeters (meters[0], meters[numChannels == 2 ? 1 : 0]);
    ledPair.set ((float) ledValues[0], (float) ledValues[1]);
}

//==============================================================================
void HalvenekCore::processStereoPortable (float* left, float* right, int numSamples) { processSettledOrNot<2, false> (left, right, numSamples); }
void HalvenekCore::processMonoPortable (float* samples, int numSamples) { processSettledOrNot<1, false> (samples, samples, numSamples); }

#if HALVENEK_X86_SAMPLE_LOOPS
HALVENEK_TARGET ("avx2,fma") void HalvenekCore::processStereoAvx2 (float* left, float* right, int numSamples) { processSettledOrNot<2, false> (left, right, numSamples); }
HALVENEK_TARGET ("avx2,fma") void HalvenekCore::processMonoAvx2 (float* samples, int numSamples) { processSettledOrNot<1, false> (samples, samples, numSamples); }

HALVENEK_TARGET ("avx512f,fma") void HalvenekCore::processStereoAvx512 (float* left, float* right, int numSamples) { processSettledOrNot<2, true> (left, right, numSamples); }
HALVENEK_TARGET ("avx512f,fma") void HalvenekCore::processMonoAvx512 (float* samples, int numSamples) { processSettledOrNot<1, true> (samples, samples, numSamples); }
#endif

std::vector<HalvenekCore::SampleLoop> HalvenekCore::getSupportedSampleLoops()
{
    std::vector<SampleLoop> loops { SampleLoop::portable };

   #if HALVENEK_X86_SAMPLE_LOOPS
    __builtin_cpu_init();

    if (__builtin_cpu_supports ("avx2") && __builtin_cpu_supports ("fma"))
        loops.push_back (SampleLoop::avx2);

    if (__builtin_cpu_supports ("avx512f") && __builtin_cpu_supports ("fma"))
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
