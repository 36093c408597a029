#pragma once

#include "../framework/plugin/AmberCrestEffect.h"
#include "ChorusFilters.h"
#include "HalvenekLfo.h"
#include "HalvenekParameters.h"
#include "InterpolationTable.h"

#include <array>
#include <cmath>
#include <vector>

/** Halvenek's DSP core: per channel a "BBD" colour filter and a hi-pass feed one delay
    line that two chorus paths read at LFO-modulated delays; their sum is mixed with the
    dry input, scaled by the output volume and metered.

    All state is double precision, except inside the 32-tap reads: the wet lines and the
    interpolation table are single precision, which keeps the output within 1e-6 of a
    double-precision chorus and halves what the reads load. Parameter changes set targets
    that the values in use follow sample by sample; the filter and smoothing updates keep
    their 1e-20 terms, which hold the states away from denormal numbers.
*/
class HalvenekCore : public AmberCrestEffect::Core
{
public:
    static constexpr int numLfos = HalvenekParameters::numLfos;
    static constexpr double minimumSampleRate = 8000.0;
    static constexpr double maximumSampleRate = 384000.0;

    /** The interpolator is centred this many samples behind its read position; the dry
        signal is delayed by the same amount to line up with it. */
    static constexpr int interpolatorCentre = 16;

    explicit HalvenekCore (BasePluginOldStyle& processorToApplyPresets);

    void setSampleRate (double sampleRate) override;
    void setParameter (int index, float normalisedValue) override;
    void setTempo (double beatsPerMinute) override;
    void alignToClock (int lfoIndex, const Clock&) override;
    void processStereo (float* left, float* right, int numSamples) override;
    void processMono (float* samples, int numSamples) override;

    double getLeftMeter() const noexcept        { return getMeterPair().first; }
    double getRightMeter() const noexcept       { return getMeterPair().second; }

    /** The LFO LED pair: LFO 1's and LFO 2's left values at the end of the last call. */
    std::pair<float, float> getLedPair() const noexcept { return ledPair.get(); }

    /** The tempo-locked speed of an LFO, set by the processor from note rate and sync. */
    void setCyclesPerBeat (int lfoIndex, double cyclesPerBeat);

    /** Restarts both LFOs from phase 0, so tempo-locked LFOs run in step. */
    void resetLfoPhases() noexcept;

    /** The versions of the sample loop, for the instruction sets they are compiled for.
        They give the same sound; the core runs the last one the processor supports. */
    enum class SampleLoop { portable, avx2, avx512 };

    /** The versions this processor can run, from the plainest to the fastest. */
    static std::vector<SampleLoop> getSupportedSampleLoops();

    /** Runs the given version from now on and answers true; one the processor cannot run
        is ignored and answers false. */
    bool useSampleLoop (SampleLoop);

    //==============================================================================
    // What the engine holds, for the value texts and for inspection.
    float getParameterValue (int index) const noexcept;
    double getFreeRate (int lfoIndex) const noexcept        { return lfos[(size_t) lfoIndex].freeRate; }
    double getLfoRate (int lfoIndex) const noexcept         { return lfos[(size_t) lfoIndex].rate; }
    int getSyncMode (int lfoIndex) const noexcept           { return lfos[(size_t) lfoIndex].syncMode; }
    int getWaveform (int lfoIndex) const noexcept           { return lfos[(size_t) lfoIndex].waveform; }
    double getIncrementTarget (int lfoIndex) const noexcept { return smoothed.target[SmoothedValues::increments][lfoIndex]; }
    double getLeftPhase (int lfoIndex) const noexcept       { return lfos[(size_t) lfoIndex].leftPhase; }
    double getRightPhase (int lfoIndex) const noexcept      { return lfos[(size_t) lfoIndex].rightPhase; }
    bool isLfo2Synchronised() const noexcept                { return lfo2Synchronised; }
    bool isBbdOn() const noexcept                           { return bbdOn; }
    double getHiPassCutoff() const noexcept                 { return hiPassCutoff; }
    double getSampleRate() const noexcept                   { return sampleRate; }
    int getLineLength() const noexcept                      { return lineLength; }

    static double hiPassCutoffForValue (double value) noexcept  { return value * 800.0 + 0.01; }
    static double outputGainForValue (double value) noexcept    { return 4.0 * value * value; }

private:
    /** One value per delay read, in the order left path 1, left path 2, right path 1,
        right path 2: the reads of LFO 1 and LFO 2 on the left and on the right. Mono uses
        the first two. */
    using Lanes = InterpolationTable::Results;
    static constexpr int numReads = InterpolationTable::numReads;

    /** True when any lane of a vector comparison holds. */
    template <typename Mask>
    forcedinline static bool anyLane (const Mask& mask) noexcept
    {
        auto bits = mask[0];

        for (size_t i = 1; i < sizeof (Mask) / sizeof (bits); ++i)
            bits |= mask[i];

        return bits != 0;
    }

    /** The values that glide toward their targets by parameter smoothing, in lanes: an
        LFO's value sits in its left and its right lane, so that the lanes step together. */
    struct SmoothedValues
    {
        enum Group { increments, depths, offsets, stereoOffsets, volumes, tremolos, outputStage, numGroups };

        // The lanes of the output stage.
        static constexpr int outputGain = 0, mix = 1, hiPassA = 2, hiPassB = 3;

        using Array = std::array<Lanes, numGroups>;
        Array value {}, target {};

        void setLfoTarget (Group group, int lfoIndex, double newTarget) noexcept
        {
            target[(size_t) group][lfoIndex] = newTarget;
            target[(size_t) group][lfoIndex + numLfos] = newTarget;
        }

        static void step (Lanes& lanes, const Lanes& laneTargets, double coefficient) noexcept
        {
            lanes -= (lanes - laneTargets) * coefficient + 1e-20;
        }

        /** Steps the lanes through count samples and writes each sample's values to row:
            after the first four, in four chains of steps four samples apart, so that no
            step waits for the one just before. Rounding makes these differ from single
            steps in the last places only, and they settle where single steps do. */
        forcedinline static void fillRow (Lanes& lanes, const Lanes& laneTargets, double coefficient,
                                          Lanes* row, int count) noexcept
        {
            int s = 0;

            for (; s < count && s < 4; ++s)
            {
                step (lanes, laneTargets, coefficient);
                row[s] = lanes;
            }

            if (count <= 4)
                return;

            // A step is x -> a x + b; four of them are x -> a^4 x + b (1 + a)(1 + a^2).
            const double a = 1.0 - coefficient, a2 = a * a, a4 = a2 * a2;
            const Lanes b4 = (laneTargets * coefficient - 1e-20) * ((1.0 + a) * (1.0 + a2));
            Lanes x0 = row[0], x1 = row[1], x2 = row[2], x3 = row[3];

            for (; s + 3 < count; s += 4)
            {
                row[s] = x0 = x0 * a4 + b4;
                row[s + 1] = x1 = x1 * a4 + b4;
                row[s + 2] = x2 = x2 * a4 + b4;
                row[s + 3] = x3 = x3 * a4 + b4;
            }

            for (; s < count; ++s)
                row[s] = row[s - 4] * a4 + b4;

            lanes = row[count - 1];
        }

        /** True when a step would move no lane of the group by more than about one unit in
            its last place. Rounding can leave a value that has reached its target
            alternating between two neighbouring numbers for ever; such a value counts as
            settled and is held. */
        bool isSettled (size_t group, double coefficient) const noexcept
        {
            auto next = value[group];
            step (next, target[group], coefficient);

            const Lanes change = next - value[group];
            const Lanes changeSize = change < 0.0 ? -change : change;
            const Lanes size = value[group] < 0.0 ? -value[group] : value[group];
            return ! anyLane (changeSize > size * 0x1p-52);
        }

        /** A bit per group that moves. */
        unsigned movingGroups (double coefficient) const noexcept
        {
            unsigned moving = 0;

            for (size_t group = 0; group < (size_t) numGroups; ++group)
                if (! isSettled (group, coefficient))
                    moving |= 1u << group;

            return moving;
        }
    };

    /** The running state of both LFOs in lanes, held while a chunk is worked. */
    struct LfoLanes
    {
        Lanes accumulators;   // the left phases and the right phase accumulators
        Lanes phases;         // the left phases and the right phases
        Lanes randomValues;
    };

    /** Two cascaded one-pole smoothers per read for the LFO values that drive it; the
        second state is the LFO output the read uses. */
    struct LfoOutputSmoothing
    {
        Lanes first {}, second {};
    };

    /** The channels' filters and meters run side by side, one lane per channel; mono
        leaves the second lane silent. */
    using ChannelLanes = double __attribute__ ((vector_size (16)));

    /** The samples are worked in chunks, each in stages: the LFOs of the whole chunk;
        its input, with the plan of its delay reads; then the reads; then the output.
        While a silent preset change runs, a chunk is one sample, because applying the
        preset changes parameters between two samples. */
    static constexpr int chunkSize = 64;

    struct Channel
    {
        std::vector<float> wetLine;
        std::array<double, interpolatorCentre> dryHistory {};   // the last inputs, which the dry signal still delays
        bool active = false;
    };

    struct CallState;
    struct Chunk;

    /** Where the target has 512-bit vectors, some stages work two samples at once
        (pairs); elsewhere such wide vectors would be split up through memory. */
    template <int numChannels, bool settled, bool pairs>
    void process (float* const* io, int numSamples, unsigned movingGroups);

    template <int numChannels, bool pairs>
    void processSettledOrNot (float* left, float* right, int numSamples);

    template <int numChannels>
    static void readInputs (Chunk&, float* const* chunkIo, int count) noexcept;

    template <int numChannels, bool settled, bool pairs>
    void computeLfoValues (CallState&, Chunk&, int count);

    template <int numChannels, bool ownValuesMove>
    void advanceLfos (CallState&, Chunk&, int count);

    template <int numChannels, bool settled, bool pairs>
    void writeInputs (CallState&, Chunk&, int count, bool planReadsToo);

    struct ReadPlanner;

    template <int numChannels, bool settled, bool pairs>
    void planReads (CallState&, Chunk&, int from, int count) const noexcept;

    template <int numChannels>
    void readPaths (const CallState&, Chunk&, int from, int count) const noexcept;

    template <int numChannels, bool settled, bool pairs>
    void writeOutputs (CallState&, Chunk&, float* const* chunkIo, int count, bool firstRunPlanned);

    template <int numChannels, bool settled>
    int writeOutputRun (CallState&, Chunk&, float* const* chunkIo, int from, int count, bool gateOpen);

    template <int numChannels, bool settled>
    void writeOutputSamples (Chunk&, float* const* chunkIo, int from, int count, bool gateOpen);

    template <int numChannels>
    int followActivity (CallState&, const Chunk&, int from, int count, bool gateOpen) const noexcept;

    template <int numChannels>
    void updateMeters (CallState&, const Chunk&, int from, int end) const noexcept;

    LfoLanes loadLfoLanes() const noexcept;
    template <int numChannels>
    void storeLfoLanes (const LfoLanes&) noexcept;

    /** One LFO step where a phase wraps, with its random values, in the plain order. */
    template <int numChannels>
    void stepLfosAtWrap (const Lanes& increments, const Lanes& stereoOffsets) noexcept;

    // The sample loop compiled for each instruction set the build offers.
    void processStereoPortable (float* left, float* right, int numSamples);
    void processMonoPortable (float* samples, int numSamples);
    void processStereoAvx2 (float* left, float* right, int numSamples);
    void processMonoAvx2 (float* samples, int numSamples);
    void processStereoAvx512 (float* left, float* right, int numSamples);
    void processMonoAvx512 (float* samples, int numSamples);

    void (HalvenekCore::*stereoLoop) (float*, float*, int) = &HalvenekCore::processStereoPortable;
    void (HalvenekCore::*monoLoop) (float*, int) = &HalvenekCore::processMonoPortable;

    void applySampleRate (double newSampleRate);
    void updateLfoRate (int lfoIndex) noexcept;
    void setHiPassTargets() noexcept;

    const InterpolationTable& table = InterpolationTable::getShared();
    std::array<Channel, 2> channels;
    ChorusFilters::BbdColour<ChannelLanes> colour;
    ChorusFilters::HighPass<ChannelLanes> hiPass;
    ChannelLanes meters {}, followers {};
    std::array<HalvenekLfo, numLfos> lfos;
    LfoOutputSmoothing lfoOutputs;
    SmoothedValues smoothed;
    std::array<float, HalvenekParameters::numParameters> parameterValues {};

    // Sample-rate dependent values.
    double sampleRate = Clock::defaultSampleRate;
    double rateRatio = 1.0, parameterSmoothing = 0.002, fadeCoefficient = 0.002;
    double lfoSmoothing = 0.01, meterDecay = 0.9999;
    std::array<double, chunkSize + 1> meterDecayRamp {};   // entry i: the meter decay to the power chunkSize - i
    // The read positions are measured in the line length l and the write index u; the
    // wet lines themselves are rings of l + chunkSize samples with their own write index,
    // so that a chunk's input can be written ahead of its reads.
    int lineLength = 0, writeIndex = 0;
    int ringLength = 0, ringIndex = 0;
    ChorusFilters::BbdCoefficients colourCoefficients;

    double tempo = 0.0;
    double hiPassCutoff = hiPassCutoffForValue (0.0);
    bool lfo2Synchronised = false, bbdOn = false;
    std::array<double, numLfos> ledValues {};
    ValuePair ledPair;
};
