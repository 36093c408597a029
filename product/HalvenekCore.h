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

    All state is double precision. Parameter changes set targets that the values in use
    follow sample by sample; the filter and smoothing updates keep their 1e-20 terms, which
    hold the states away from denormal numbers.
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
    double getIncrementTarget (int lfoIndex) const noexcept { return smoothed.target[(size_t) (increment + lfoIndex)]; }
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
    /** The values that glide toward their targets by parameter smoothing, kept side by
        side; each is stepped only while it moves. */
    enum SmoothedIndex
    {
        outputGain, mix, hiPassA, hiPassB,
        increment, depth = increment + numLfos, offset = depth + numLfos,
        stereoOffset = offset + numLfos, volume = stereoOffset + numLfos, tremolo = volume + numLfos,
        numSmoothed = tremolo + numLfos
    };

    struct SmoothedValues
    {
        std::array<double, numSmoothed> value {}, target {};

        void step (size_t i, double coefficient) noexcept
        {
            value[i] -= (value[i] - target[i]) * coefficient + 1e-20;
        }

        /** True when a step would move the value by no more than one unit in its last
            place. Rounding can leave a value that has reached its target alternating
            between two neighbouring numbers for ever; such a value counts as settled and
            is held. */
        bool isSettled (size_t i, double coefficient) const noexcept
        {
            const double next = value[i] - ((value[i] - target[i]) * coefficient + 1e-20);
            return next == value[i] || next == std::nextafter (value[i], next);
        }

        bool isSettled (double coefficient) const noexcept
        {
            bool settled = true;

            for (size_t i = 0; i < (size_t) numSmoothed; ++i)
                settled &= isSettled (i, coefficient);

            return settled;
        }
    };

    // The four delay reads of a stereo sample, in the order left path 1, left path 2,
    // right path 1, right path 2; mono uses the first two.
    static constexpr int numReads = InterpolationTable::numReads;
    using ReadLanes = InterpolationTable::Results;

    /** Two cascaded one-pole smoothers per read for the LFO values that drive it; the
        second state is the LFO output the read uses. */
    struct LfoOutputSmoothing
    {
        std::array<double, numReads> first {}, second {};
    };

    struct Channel
    {
        std::vector<double> dryLine, wetLine;
        bool active = false;
    };

    /** The channels' filters and meters run side by side, one lane per channel; mono
        leaves the second lane silent. */
    using ChannelLanes = double __attribute__ ((vector_size (16)));

    /** The samples are worked in chunks, each in stages: the smoothed values and the LFO
        values of the whole chunk; then its input, filtered and written to the lines; then
        the delay reads; then the output. While a silent preset change runs, a chunk is
        one sample, because applying the preset changes parameters between two samples.
        When the smoothed values are settled they hold for the whole call and are not
        stepped. */
    static constexpr int chunkSize = 64;

    using SmoothedSnapshot = std::array<double, numSmoothed>;
    struct CallState;

    template <int numChannels, bool settled>
    void process (float* const* io, int numSamples);

    template <int numChannels>
    void processSettledOrNot (float* left, float* right, int numSamples);

    template <int numChannels, bool settled>
    void computeLfoValues (CallState&, const SmoothedSnapshot* values, int count);

    template <int numChannels, bool settled>
    void writeInputs (CallState&, float* const* chunkIo, const SmoothedSnapshot* values, int count);

    template <int numChannels, bool settled>
    void writeOutputs (CallState&, float* const* chunkIo, const SmoothedSnapshot* values, int count);

    template <int numChannels, bool settled>
    void planReads (CallState&, const SmoothedSnapshot* values, int from, int count) const;

    template <int numChannels>
    void readPaths (CallState&, int from, int count) const;

    template <int numChannels, bool settled>
    int writeOutputRun (CallState&, float* const* chunkIo, const SmoothedSnapshot* values, int from, int count, bool gateOpen);

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
    // The read positions are measured in the line length l and the write index u; the
    // lines themselves are rings of l + chunkSize samples with their own write index, so
    // that a chunk's input can be written ahead of its reads.
    int lineLength = 0, writeIndex = 0;
    int ringLength = 0, ringIndex = 0;
    ChorusFilters::BbdCoefficients colourCoefficients;

    double tempo = 0.0;
    double hiPassCutoff = hiPassCutoffForValue (0.0);
    bool lfo2Synchronised = false, bbdOn = false;
    std::array<double, numLfos> ledValues {};
    ValuePair ledPair;
};
