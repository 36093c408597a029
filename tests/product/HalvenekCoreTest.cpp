#include "HalvenekTestRig.h"
#include "PlainChorusReference.h"
#include "../plugin/FakePlayHead.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace HalvenekParameters;

namespace
{
    constexpr double twoPi = 2.0 * 3.141592653589793238;

    std::vector<float> impulse (int numSamples)
    {
        std::vector<float> samples ((size_t) numSamples, 0.0f);
        samples[0] = 1.0f;
        return samples;
    }
}

//==============================================================================
TEST (HalvenekCoreOutput, DryImpulseComesOutSixteenSamplesLater)
{
    HalvenekTestRig rig;
    rig.set (fx, 0.0f);
    rig.set (outputVolume, 0.5f);
    rig.processor->prepareToPlay (44100.0, 512);

    auto left = impulse (64), right = impulse (64);
    rig.processStereo (left, right);

    for (int i = 0; i < 64; ++i)
    {
        EXPECT_NEAR (left[(size_t) i], i == 16 ? 1.0 : 0.0, 1e-9) << i;
        EXPECT_NEAR (right[(size_t) i], i == 16 ? 1.0 : 0.0, 1e-9) << i;
    }
}

TEST (HalvenekCoreOutput, WetOnlyWithBothPathsMutedIsSilent)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.set (fx, 1.0f);
    rig.set (pathVolume, 0.0f);
    rig.set (forLfo (1, pathVolume), 0.0f);
    rig.processor->prepareToPlay (44100.0, 512);

    auto left = sawChord (20000, 44100.0), right = sawChord (20000, 44100.0, 2);
    rig.processStereo (left, right);

    EXPECT_LT (rms (left), 1e-12);
    EXPECT_LT (rms (right), 1e-12);
}

TEST (HalvenekCoreOutput, NoDepthNoOffsetReadsTheFilteredInputSixteenSamplesBack)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.set (bbd, 0.0f);
    rig.set (hiPassFrequency, 0.25f);   // 200.01 Hz
    rig.set (fx, 1.0f);
    rig.set (lfoDepth, 0.0f);
    rig.set (lfoOffset, 0.0f);
    rig.set (forLfo (1, lfoDepth), 0.0f);
    rig.set (forLfo (1, lfoOffset), 0.0f);
    rig.set (forLfo (1, pathVolume), 0.5f);
    rig.processor->prepareToPlay (44100.0, 512);

    const auto input = sawChord (4000, 44100.0);
    auto left = input, right = input;
    rig.processStereo (left, right);

    // The hi-pass written out by hand.
    const double a = std::exp (-twoPi * 200.01 / 44100.0) + 1e-20, b = (a + 1) * 0.5 + 1e-20;
    double previous = 0.0, y = 0.0;
    std::vector<double> filtered;

    for (const float x : input)
    {
        y = (x - previous) * b + a * y + 1e-20;
        previous = x;
        filtered.push_back (y);
    }

    for (size_t i = 16; i < input.size(); ++i)
        ASSERT_NEAR (left[i], 1.5 * filtered[i - 16], 1e-6) << i;

    EXPECT_EQ (left, right);
}

TEST (HalvenekCoreOutput, LongestDelayReadsTheSampleFromLineLengthLessSixteenBack)
{
    // A square LFO at its slowest rate holds 1 for its first 50 seconds, so depth 1 and
    // offset 1 hold path 1 at the longest delay, l - 16 samples, where the oldest samples
    // of the line are read while new ones are written.
    for (const double sampleRate : { 44100.0, 96000.0 })
    {
        HalvenekTestRig rig (sampleRate);
        rig.freeRunning();
        rig.set (bbd, 0.0f);
        rig.set (hiPassFrequency, 0.0f);
        rig.set (fx, 1.0f);
        rig.set (lfoRate, 0.0f);
        rig.set (lfoWaveform, 0.2f);   // square
        rig.set (lfoDepth, 1.0f);
        rig.set (lfoOffset, 1.0f);
        rig.set (lfoStereoPhase, 0.0f);
        rig.set (forLfo (1, pathVolume), 0.0f);
        rig.processor->prepareToPlay (sampleRate, 512);

        // A faint constant keeps the gate open while the LFO output settles; then a click.
        const int click = 20000, delay = rig.core.getLineLength() - 16;
        std::vector<float> left ((size_t) (click + delay + 1000), 1.0e-6f);
        left[(size_t) click] = 1.0f;
        auto right = left;

        // Uneven calls, so that chunks start everywhere in the line.
        for (int start = 0, size = 7; start < (int) left.size(); start += size, size = size * 5 % 331 + 1)
        {
            size = std::min (size, (int) left.size() - start);
            rig.core.processStereo (left.data() + start, right.data() + start, size);
        }

        const auto loudest = std::max_element (left.begin() + click, left.end(), [] (float a, float b) { return std::abs (a) < std::abs (b); });
        EXPECT_EQ (loudest - left.begin(), click + delay) << sampleRate;
        EXPECT_NEAR (*loudest, 1.0f, 1e-4) << sampleRate;
        EXPECT_EQ (left, right) << sampleRate;
    }
}

TEST (HalvenekCoreOutput, OneSidedSignalStillGetsTheChorus)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.set (fx, 1.0f);
    rig.processor->prepareToPlay (44100.0, 512);

    std::vector<float> left (20000, 0.0f);
    auto right = sawChord (20000, 44100.0);
    rig.processStereo (left, right);

    EXPECT_GT (rms (right, 10000), 0.05);
    EXPECT_LT (rms (left), 1e-12);
}

TEST (HalvenekCoreOutput, MetersSettleAtTheirScale)
{
    for (const auto& [level, expected] : { std::pair<float, double> { 1.0f, 0.8 }, { 2.0f, 1.0 }, { 0.0f, 0.0 } })
    {
        HalvenekTestRig rig;
        rig.set (fx, 0.0f);
        rig.set (outputVolume, 0.5f);
        rig.processor->prepareToPlay (44100.0, 512);

        std::vector<float> left (100000, level), right (100000, level * 0.5f);
        rig.processStereo (left, right);

        EXPECT_NEAR (rig.core.getLeftMeter(), expected, 1e-3) << level;
        EXPECT_LT (rig.core.getRightMeter(), rig.core.getLeftMeter() + 1e-9);

        std::vector<float> mono (1000, level);
        rig.core.processMono (mono.data(), (int) mono.size());
        EXPECT_EQ (rig.core.getLeftMeter(), rig.core.getRightMeter());
    }
}

TEST (HalvenekCoreOutput, MetersHoldTheLoudestSampleAndDecayWithEverySample)
{
    HalvenekTestRig rig;
    rig.set (fx, 0.0f);             // the dry signal only,
    rig.set (outputVolume, 0.5f);   // at unity gain

    // Bursts of different loudness, each followed by a silence long enough for the
    // activity gate to close, worked in uneven calls.
    std::vector<float> left, right;

    for (const float level : { 0.9f, 0.3f, 1.4f })
    {
        for (int i = 0; i < 3000; ++i)
            left.push_back (level * (float) std::sin (i * 0.05) * (float) (i % 700) / 700.0f);

        left.resize (left.size() + 110000, 0.0f);
    }

    for (const float sample : left)
        right.push_back (-0.5f * sample);

    const double decay = 0.9999;   // at 44.1 kHz
    double expectedLeft = 0.0, expectedRight = 0.0;

    for (int start = 0, size = 1; start < (int) left.size(); start += size, size = size * 7 % 1999 + 1)
    {
        size = std::min (size, (int) left.size() - start);
        rig.core.processStereo (left.data() + start, right.data() + start, size);

        for (int i = start; i < start + size; ++i)
        {
            expectedLeft = std::max (expectedLeft, rig.core.getMeterLevel (left[(size_t) i])) * decay + 1e-20;
            expectedRight = std::max (expectedRight, rig.core.getMeterLevel (right[(size_t) i])) * decay + 1e-20;
        }

        ASSERT_NEAR (rig.core.getLeftMeter(), expectedLeft, 1e-6 * expectedLeft + 1e-9) << start;
        ASSERT_NEAR (rig.core.getRightMeter(), expectedRight, 1e-6 * expectedRight + 1e-9) << start;
    }
}

//==============================================================================
TEST (HalvenekCoreLfo, FreeAndTempoRates)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    EXPECT_NEAR (rig.core.getLfoRate (0), 0.5, 1e-9);
    EXPECT_NEAR (rig.core.getIncrementTarget (0), twoPi * 0.5 / 44100.0, 1e-15);

    rig.set (forLfo (1, lfoRate), 1.0f);
    EXPECT_NEAR (rig.core.getLfoRate (1), 20.0, 1e-6);
    rig.set (forLfo (1, lfoRate), 0.0f);
    EXPECT_NEAR (rig.core.getLfoRate (1), 0.01, 1e-9);

    FakePlayHead playHead;
    playHead.set (120.0, 0.0, false);
    rig.processor->setPlayHead (&playHead);
    rig.set (lfoNoteRate, 6.0f / 9.0f);   // a quarter note

    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;

    for (const auto& [sync, hertz] : { std::pair<float, double> { 1.0f / 3.0f, 2.0 }, { 2.0f / 3.0f, 1.33332 }, { 1.0f, 3.0 }, { 0.0f, 0.5 } })
    {
        rig.set (lfoSync, sync);
        rig.processor->processBlock (buffer, midi);
        EXPECT_NEAR (rig.core.getLfoRate (0), hertz, 1e-9) << sync;
        EXPECT_NEAR (rig.core.getIncrementTarget (0), twoPi * hertz / 44100.0, 1e-15);
    }
}

TEST (HalvenekCoreLfo, TempoZeroHoldsThePhase)
{
    HalvenekTestRig rig;   // default: both LFOs tempo-locked
    FakePlayHead playHead;
    playHead.set (0.0, 0.0, true);
    rig.processor->setPlayHead (&playHead);

    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    for (int block = 0; block < 20; ++block)
        rig.processor->processBlock (buffer, midi);

    EXPECT_LT (rig.core.getLeftPhase (0), 1e-12);
    EXPECT_LT (rig.core.getLeftPhase (1), 1e-12);

    playHead.set (120.0, 0.0, true);
    rig.processor->processBlock (buffer, midi);
    EXPECT_GT (rig.core.getLeftPhase (0), 1e-4);
}

TEST (HalvenekCoreLfo, RandomWaveChangesExactlyWhenThePhaseWraps)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.set (lfoWaveform, 1.0f);
    rig.set (lfoRate, 1.0f);   // 20 Hz
    rig.processor->prepareToPlay (44100.0, 512);

    float left = 0.0f, right = 0.0f;
    rig.core.processStereo (&left, &right, 1);
    double previousPhase = rig.core.getLeftPhase (0);
    float previousValue = rig.core.getLedPair().first;
    int wraps = 0;

    for (int i = 0; i < 20000; ++i)
    {
        rig.core.processStereo (&left, &right, 1);
        const double phase = rig.core.getLeftPhase (0);
        const float value = rig.core.getLedPair().first;
        const bool wrapped = phase < previousPhase;
        wraps += wrapped ? 1 : 0;

        ASSERT_EQ (wrapped, value != previousValue) << i;
        previousPhase = phase;
        previousValue = value;
    }

    EXPECT_GE (wraps, 8);
}

TEST (HalvenekCoreLfo, StereoPhaseAndLfo2Synchronize)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.set (lfoStereoPhase, 1.0f);
    rig.set (forLfo (1, lfoRate), 0.8f);
    rig.set (forLfo (1, lfoWaveform), 0.2f);   // square
    rig.processor->prepareToPlay (44100.0, 512);

    std::vector<float> left (30000, 0.0f), right (30000, 0.0f);
    rig.processStereo (left, right);

    const double expectedRight = std::fmod (rig.core.getLeftPhase (0) + twoPi / 2, twoPi);
    EXPECT_NEAR (rig.core.getRightPhase (0), expectedRight, 1e-9);
    EXPECT_GT (std::abs (rig.core.getLeftPhase (1) - rig.core.getLeftPhase (0)), 1e-3);

    rig.set (lfo2Synchronize, 1.0f);
    rig.processStereo (left, right);
    EXPECT_EQ (rig.core.getLeftPhase (1), rig.core.getLeftPhase (0));

    // LFO 2 keeps its own waveform: a square wave shows only 0 or 1.
    const float led2 = rig.core.getLedPair().second;
    EXPECT_TRUE (led2 == 0.0f || led2 == 1.0f);
    EXPECT_EQ (led2, rig.core.getLeftPhase (0) < twoPi / 2 ? 1.0f : 0.0f);
}

TEST (HalvenekCoreLfo, ClockRealignsTempoLockedLfo)
{
    HalvenekTestRig rig;
    Clock clock;
    clock.setDivision (1.0);
    clock.setTempo (120.0);
    clock.start (2.25);
    clock.tick();

    rig.core.alignToClock (0, clock);   // a quarter of a cycle past the start (plus one sample)
    EXPECT_NEAR (rig.core.getLeftPhase (0), twoPi * 0.25, 1e-3);

    clock.setPosition (3.0);
    rig.core.alignToClock (1, clock);
    EXPECT_NEAR (rig.core.getLeftPhase (1), twoPi, 1e-12);

    rig.freeRunning();
    rig.core.alignToClock (1, clock);   // ignored in free mode
    clock.setPosition (3.5);
    rig.core.alignToClock (1, clock);
    EXPECT_NEAR (rig.core.getLeftPhase (1), twoPi, 1e-12);
}

//==============================================================================
TEST (HalvenekCoreFade, SilentPresetChangeFallsWaitsAndRises)
{
    HalvenekTestRig rig;
    rig.set (fx, 0.0f);
    rig.set (outputVolume, 0.5f);
    rig.processor->storePreset (rig.processor->getCurrentPresetNumber());   // the fade re-applies these
    rig.processor->prepareToPlay (44100.0, 512);

    std::vector<float> left (30000, 0.5f), right (30000, 0.5f);
    rig.processStereo (left, right);
    ASSERT_NEAR (left.back(), 0.5f, 1e-6);

    rig.core.changePreset();
    std::fill (left.begin(), left.end(), 0.5f);
    std::fill (right.begin(), right.end(), 0.5f);
    rig.processStereo (left, right);

    auto isSilent = [] (float x) { return std::abs (x) < 1e-12f; };
    const auto firstSilent = (size_t) (std::find_if (left.begin(), left.end(), isSilent) - left.begin());
    ASSERT_LT (firstSilent, left.size());
    EXPECT_LT (left[firstSilent - 1], 0.5f * 0.0011f);   // the preset is applied once the fade is below 0.001

    size_t silent = firstSilent;
    while (silent < left.size() && isSilent (left[silent]))
        ++silent;

    EXPECT_EQ (silent - firstSilent, 4000u);

    for (size_t i = firstSilent; i > 1; --i)
        ASSERT_LE (left[i - 1], left[i - 2]);   // falling

    for (size_t i = silent + 1; i < left.size(); ++i)
        ASSERT_GE (left[i], left[i - 1]);       // rising

    EXPECT_FALSE (rig.core.isFading());
    EXPECT_NEAR (left.back(), 0.5f, 1e-6);
}

//==============================================================================
TEST (HalvenekCoreInput, BrokenSamplesDoNotPoisonTheEngine)
{
    HalvenekTestRig rig;
    rig.freeRunning();
    rig.processor->prepareToPlay (44100.0, 512);

    auto left = sawChord (2000, 44100.0), right = sawChord (2000, 44100.0, 3);
    left[100] = std::numeric_limits<float>::quiet_NaN();
    right[200] = std::numeric_limits<float>::infinity();
    left[300] = -std::numeric_limits<float>::infinity();
    right[400] = 3.0e38f;
    rig.processStereo (left, right);

    auto cleanLeft = sawChord (5000, 44100.0), cleanRight = sawChord (5000, 44100.0, 3);
    rig.processStereo (cleanLeft, cleanRight);

    for (size_t i = 0; i < cleanLeft.size(); ++i)
        ASSERT_TRUE (std::isfinite (cleanLeft[i]) && std::isfinite (cleanRight[i])) << i;

    EXPECT_LT (rms (cleanLeft, 4000), 2.0);
    EXPECT_GT (rms (cleanLeft, 4000), 0.05);
}

TEST (HalvenekCoreInput, BlockSizesAndSampleRateChanges)
{
    HalvenekTestRig rig;
    FakePlayHead playHead;
    playHead.set (133.0, 0.0, true);
    rig.processor->setPlayHead (&playHead);
    juce::MidiBuffer midi;

    for (const double rate : { 44100.0, 8000.0, 384000.0, 192000.0, 22050.0, 48000.0 })
    {
        rig.processor->prepareToPlay (rate, 512);
        EXPECT_EQ (rig.core.getLineLength(), (int) std::floor (0.03 * rate));

        for (const int size : { 0, 1, 7, 512, 200000 })
        {
            juce::AudioBuffer<float> buffer (2, size);
            const auto signal = sawChord (size, rate);

            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, signal.data(), size);

            rig.processor->processBlock (buffer, midi);
            playHead.advance (size, rate);

            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < size; ++i)
                    ASSERT_TRUE (std::abs (buffer.getSample (ch, i)) < 10.0f) << rate << " " << size << " " << i;
        }
    }

    // Rates outside the supported range are held at its ends; nonsense is ignored.
    rig.processor->prepareToPlay (1000.0, 64);
    EXPECT_EQ (rig.core.getSampleRate(), HalvenekCore::minimumSampleRate);
    rig.processor->prepareToPlay (768000.0, 64);
    EXPECT_EQ (rig.core.getSampleRate(), HalvenekCore::maximumSampleRate);
    rig.processor->prepareToPlay (-5.0, 64);
    EXPECT_EQ (rig.core.getSampleRate(), HalvenekCore::maximumSampleRate);
}

//==============================================================================
namespace
{
    struct ReferenceCase
    {
        std::vector<std::pair<int, float>> parameters;
        double tempo;
        double cyclesPerBeat[2];
        std::vector<std::pair<int, float>> laterChanges;
    };

    void compareWithReference (const ReferenceCase& setup, double sampleRate, HalvenekCore::SampleLoop loop)
    {
        HalvenekTestRig rig (sampleRate);
        rig.core.useSampleLoop (loop);
        PlainChorusReference reference (sampleRate);

        for (int index = 0; index < numParameters; ++index)
        {
            const float value = rig.processor->getParameterManager().getParameterNormalisedValue (index);
            rig.core.setParameter (index, value);
            reference.setParameter (index, value);
        }

        for (const auto& [index, value] : setup.parameters)
        {
            rig.core.setParameter (index, value);
            reference.setParameter (index, value);
        }

        for (int n = 0; n < 2; ++n)
        {
            rig.core.setCyclesPerBeat (n, setup.cyclesPerBeat[n]);
            reference.setCyclesPerBeat (n, setup.cyclesPerBeat[n]);
        }

        rig.core.setTempo (setup.tempo);
        reference.setTempo (setup.tempo);
        rig.core.setSampleRate (sampleRate);
        reference.snapToTargets();

        const int numSamples = (int) (3 * sampleRate);
        auto left = sawChord (numSamples, sampleRate, 5), right = sawChord (numSamples, sampleRate, 6);

        // A gap of silence lets the activity gate close and open again.
        std::fill (left.begin() + numSamples / 3, left.begin() + numSamples / 2, 0.0f);
        std::fill (right.begin() + numSamples / 3, right.begin() + numSamples / 2, 0.0f);

        auto expectedLeft = left, expectedRight = right;
        const int half = numSamples / 2;

        rig.core.processStereo (left.data(), right.data(), half);
        reference.process (expectedLeft.data(), expectedRight.data(), half);

        for (const auto& [index, value] : setup.laterChanges)
        {
            rig.core.setParameter (index, value);
            reference.setParameter (index, value);
        }

        // The rest in uneven sub-blocks, as the processor cuts them.
        for (int start = half, size = 1; start < numSamples; start += size, size = size * 3 % 1021 + 1)
        {
            size = std::min (size, numSamples - start);
            rig.core.processStereo (left.data() + start, right.data() + start, size);
        }

        reference.process (expectedLeft.data() + half, expectedRight.data() + half, numSamples - half);

        double largest = 0.0;

        for (int i = 0; i < numSamples; ++i)
        {
            largest = std::max (largest, (double) std::abs (left[(size_t) i] - expectedLeft[(size_t) i]));
            largest = std::max (largest, (double) std::abs (right[(size_t) i] - expectedRight[(size_t) i]));
        }

        EXPECT_LT (largest, 1e-6) << (int) loop;
        EXPECT_GT (rms (left), 0.05) << (int) loop;
    }

    /** Every version of the sample loop this processor can run must give the reference's sound. */
    void compareWithReference (const ReferenceCase& setup, double sampleRate)
    {
        const auto loops = HalvenekCore::getSupportedSampleLoops();
        ASSERT_EQ (loops.front(), HalvenekCore::SampleLoop::portable);

        for (const auto loop : loops)
            compareWithReference (setup, sampleRate, loop);
    }
}

TEST (HalvenekCoreReference, FreeRunningLfosWithColourAndTremolo)
{
    compareWithReference ({ { { lfoSync, 0.0f }, { forLfo (1, lfoSync), 0.0f },
                              { lfoRate, 0.7f }, { lfoWaveform, 0.4f }, { lfoDepth, 0.8f }, { lfoOffset, 0.3f },
                              { lfoTremolo, 0.6f }, { lfoStereoPhase, 0.5f },
                              { forLfo (1, lfoRate), 0.9f }, { forLfo (1, lfoWaveform), 1.0f }, { forLfo (1, lfoDepth), 1.0f },
                              { forLfo (1, lfoOffset), 1.0f }, { forLfo (1, pathVolume), 0.7f },
                              { bbd, 1.0f }, { hiPassFrequency, 0.1f }, { fx, 0.7f }, { outputVolume, 0.6f } },
                            0.0, { 0.0, 0.0 },
                            { { lfoWaveform, 0.6f }, { forLfo (1, lfoWaveform), 0.8f }, { hiPassFrequency, 0.4f },
                              { lfoDepth, 0.1f }, { fx, 1.0f }, { bbd, 0.0f } } },
                          44100.0);
}

TEST (HalvenekCoreReference, TempoLockedAndSynchronisedLfosAt96k)
{
    compareWithReference ({ { { lfoWaveform, 0.0f }, { forLfo (1, lfoWaveform), 0.2f }, { lfo2Synchronize, 1.0f },
                              { lfoStereoPhase, 1.0f }, { forLfo (1, lfoStereoPhase), 0.25f },
                              { lfoDepth, 0.6f }, { forLfo (1, lfoDepth), 0.4f }, { forLfo (1, lfoTremolo), 1.0f } },
                            128.0, { 2.0, 0.5 },
                            { { lfo2Synchronize, 0.0f }, { forLfo (1, lfoWaveform), 0.6f }, { lfoSync, 0.0f },
                              { lfoStereoPhase, 0.3f }, { forLfo (1, pathVolume), 0.5f } } },
                          96000.0);
}

TEST (HalvenekCoreReference, MonoIsTheLeftChannelOfAStereoPairOfTheSameInput)
{
    // The right side cannot reach the left, so one channel must sound as the left of two.
    for (const auto loop : HalvenekCore::getSupportedSampleLoops())
    {
        HalvenekTestRig stereoRig, monoRig;
        stereoRig.core.useSampleLoop (loop);
        monoRig.core.useSampleLoop (loop);

        for (auto* rig : { &stereoRig, &monoRig })
        {
            rig->freeRunning();
            rig->set (lfoWaveform, 0.4f);
            rig->set (forLfo (1, lfoTremolo), 0.7f);
        }

        auto left = sawChord (60000, 44100.0, 3);
        std::fill (left.begin() + 20000, left.begin() + 30000, 0.0f);   // the gate closes and opens again
        auto right = left, mono = left;

        for (int start = 0, size = 5; start < (int) left.size(); start += size, size = size * 7 % 509 + 1)
        {
            size = std::min (size, (int) left.size() - start);
            stereoRig.core.processStereo (left.data() + start, right.data() + start, size);
            monoRig.core.processMono (mono.data() + start, size);
        }

        EXPECT_EQ (mono, left) << (int) loop;
        EXPECT_EQ (monoRig.core.getLeftMeter(), stereoRig.core.getLeftMeter()) << (int) loop;
    }
}
