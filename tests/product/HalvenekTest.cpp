#include "HalvenekTestRig.h"
#include "../plugin/FakePlayHead.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace HalvenekParameters;

TEST (HalvenekProcessor, ProductHooks)
{
    HalvenekTestRig rig;
    EXPECT_EQ (rig.processor->getProductName(), "Halvenek");
    EXPECT_EQ (rig.processor->getProductPrefix(), "HL");
    EXPECT_EQ (rig.processor->getNumCreatedClocks(), 2);
    EXPECT_EQ (rig.processor->getLatencySamples(), 0);
    EXPECT_EQ (rig.processor->getParameters().size(), 23);
}

TEST (HalvenekProcessor, MonoBusesProcessChannelZeroOnly)
{
    for (const auto& output : { juce::AudioChannelSet::mono(), juce::AudioChannelSet::stereo() })
    {
        HalvenekTestRig rig;
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::mono());
        layout.outputBuses.add (output);
        ASSERT_TRUE (rig.processor->setBusesLayout (layout));
        rig.set (fx, 0.0f);
        rig.processor->prepareToPlay (44100.0, 64);

        juce::AudioBuffer<float> buffer (2, 64);
        buffer.clear();
        buffer.setSample (0, 0, 1.0f);
        buffer.setSample (1, 5, 1.0f);
        juce::MidiBuffer midi;
        rig.processor->processBlock (buffer, midi);

        EXPECT_NEAR (buffer.getSample (0, 16), 1.0f, 1e-6f);
        EXPECT_NEAR (buffer.getMagnitude (0, 0, 16), 0.0f, 1e-6f);

        if (output == juce::AudioChannelSet::stereo())
        {
            EXPECT_EQ (buffer.getMagnitude (1, 0, 64), 0.0f);
        }
    }
}

TEST (HalvenekProcessor, NoteRateAndSyncSetClockDivisionAndRestartLockedLfos)
{
    HalvenekTestRig rig;
    const int lfo2NoteRate = forLfo (1, lfoNoteRate);

    // Defaults: note rate 0.4 (d = 4: a quarter of a cycle per quarter note) and 0.6
    // (d = 5: half), sync "Full".
    EXPECT_DOUBLE_EQ (rig.processor->getClock (0)->getDivision(), 0.25);
    EXPECT_DOUBLE_EQ (rig.processor->getClock (1)->getDivision(), 0.5);

    FakePlayHead playHead;
    playHead.set (120.0, 0.0, false);
    rig.processor->setPlayHead (&playHead);
    juce::AudioBuffer<float> buffer (2, 4096);
    juce::MidiBuffer midi;
    rig.processor->processBlock (buffer, midi);
    const double phase = rig.core.getLeftPhase (0);
    ASSERT_GT (phase, 0.0);

    // 0.44 and 0.45 both round to d = 4: nothing changes.
    rig.set (lfoNoteRate, 0.44f);
    rig.set (lfoNoteRate, 0.45f);
    EXPECT_EQ (rig.core.getLeftPhase (0), phase);
    EXPECT_EQ (rig.text (lfoNoteRate), "1");

    // A new note rate while both LFOs are locked restarts both.
    rig.set (lfo2NoteRate, 1.0f);
    EXPECT_DOUBLE_EQ (rig.processor->getClock (1)->getDivision(), 8.0);
    EXPECT_EQ (rig.core.getLeftPhase (0), 0.0);
    EXPECT_EQ (rig.core.getLeftPhase (1), 0.0);
    EXPECT_EQ (rig.text (lfo2NoteRate), "1/32");

    rig.set (forLfo (1, lfoSync), 1.0f);   // triplet
    EXPECT_DOUBLE_EQ (rig.processor->getClock (1)->getDivision(), 12.0);
    EXPECT_DOUBLE_EQ (rig.core.getLfoRate (1), 2.0 * 12.0);

    // With LFO 1 free, a change of LFO 2 leaves LFO 1's phase alone.
    rig.set (lfoSync, 0.0f);
    rig.processor->processBlock (buffer, midi);
    const double freePhase = rig.core.getLeftPhase (0);
    rig.set (lfo2NoteRate, 0.0f);
    EXPECT_EQ (rig.core.getLeftPhase (0), freePhase);
    EXPECT_EQ (rig.text (lfo2NoteRate), "16");
}

TEST (HalvenekProcessor, PlayingHostRealignsLockedLfosAtClockPeriods)
{
    HalvenekTestRig rig;
    FakePlayHead playHead;
    playHead.set (120.0, 1.0, true);   // LFO 1: a quarter cycle per quarter note, period 4 quarter notes
    rig.processor->setPlayHead (&playHead);

    juce::AudioBuffer<float> buffer (2, 256);
    juce::MidiBuffer midi;
    rig.processor->processBlock (buffer, midi);

    // Aligned at the first sample to a quarter of the way through the cycle, then running on
    // at most at the tempo rate (the increment glides up to it).
    const double twoPi = 2.0 * 3.141592653589793;
    EXPECT_GT (rig.core.getLeftPhase (0), twoPi * 0.25);
    EXPECT_LT (rig.core.getLeftPhase (0), twoPi * (0.25 + 257 * 0.25 / 22050.0));

    // Stopping the host stops the clocks; the LFO keeps running at its tempo rate.
    playHead.set (120.0, 1.0, false);
    rig.processor->processBlock (buffer, midi);
    EXPECT_FALSE (rig.processor->getClock (0)->isRunning());
}

//==============================================================================
TEST (HalvenekValueTexts, TextsOfTheTable)
{
    HalvenekTestRig rig;

    const std::pair<std::pair<int, float>, const char*> cases[] {
        { { fx, 0.5f }, "50/50% (Dry/Wet)" },
        { { fx, 0.004f }, "100/0% (Dry/Wet)" },
        { { fx, 0.006f }, "99/1% (Dry/Wet)" },
        { { fx, 0.005f }, "100/0% (Dry/Wet)" },
        { { outputVolume, 0.5f }, "0.0dB" },
        { { outputVolume, 1.0f }, "+12.0dB" },
        { { outputVolume, 0.25f }, "-12.0dB" },
        { { outputVolume, 0.0f }, "-Inf." },
        { { lfoStereoPhase, 1.0f }, "180 deg" },
        { { lfoStereoPhase, 0.999f }, "179 deg" },
        { { hiPassFrequency, 0.0f }, "0Hz" },
        { { hiPassFrequency, 1.0f }, "800Hz" },
        { { hiPassFrequency, 0.5f }, "400Hz" },
        { { forLfo (1, lfoRate), 1.0f }, "20Hz" },
        { { forLfo (1, lfoRate), 0.0f }, "0.01Hz" },
        { { lfoRate, 0.5f }, "0.5Hz" },
        { { lfoRate, 0.25f }, "0.08Hz" },
        { { lfoRate, 0.75f }, "3.17Hz" },
        { { lfoNoteRate, 0.4f }, "1" },
        { { lfoNoteRate, 0.0f }, "16" },
        { { lfoNoteRate, 1.0f }, "1/32" },
        { { lfoSync, 0.0f }, "Off" },
        { { lfoSync, 0.25f }, "Full" },
        { { lfoSync, 0.6f }, "Dotted" },
        { { forLfo (1, lfoSync), 1.0f }, "Triplet" },
        { { lfoDepth, 0.2f }, "3ms" },
        { { lfoDepth, 1.0f }, "15ms" },
        { { forLfo (1, lfoOffset), 0.05f }, "0.75ms" },
        { { lfoWaveform, 0.0f }, "Triangle" },
        { { lfoWaveform, 0.2f }, "Square" },
        { { lfoWaveform, 0.4f }, "Sine" },
        { { lfoWaveform, 0.6f }, "Saw rising" },
        { { lfoWaveform, 0.8f }, "Saw falling" },
        { { forLfo (1, lfoWaveform), 1.0f }, "Random" },
        { { pathVolume, 1.0f }, "100%" },
        { { forLfo (1, pathVolume), 0.125f }, "13%" },
        { { lfoTremolo, 0.0f }, "0%" },
        { { lfo2Synchronize, 0.5f }, "On" },
        { { lfo2Synchronize, 0.4f }, "Off" },
        { { bbd, 0.5f }, "On" },
        { { bbd, 0.0f }, "Off" },
    };

    for (const auto& [setting, expected] : cases)
    {
        rig.set (setting.first, setting.second);
        EXPECT_EQ (rig.text (setting.first), expected) << setting.first << " at " << setting.second;
    }

    // The rate text shows the free rate even while the LFO is locked to the tempo.
    rig.set (lfoSync, 1.0f);
    rig.set (lfoRate, 0.5f);
    EXPECT_EQ (rig.text (lfoRate), "0.5Hz");
}

TEST (HalvenekValueTexts, NumberFormsAndOtherIndices)
{
    EXPECT_EQ (HalvenekValueTexts::twoDecimals (0.0770), "0.08");
    EXPECT_EQ (HalvenekValueTexts::twoDecimals (0.125), "0.13");
    EXPECT_EQ (HalvenekValueTexts::oneDecimal (800.01), "800");
    EXPECT_EQ (HalvenekValueTexts::outputVolumeText (0.50014), "0.0dB");   // +0.0049 dB: no sign up to 0.01 dB
    EXPECT_EQ (HalvenekValueTexts::outputVolumeText (0.501), "+0.0dB");
    EXPECT_EQ (HalvenekValueTexts::outputVolumeText (0.4999), "-0.0dB");
    EXPECT_EQ (HalvenekValueTexts::outputVolumeText (0.0), "-Inf.");

    HalvenekTestRig rig;
    EXPECT_EQ (rig.text (23), "");
    EXPECT_EQ (rig.text (-1), "");
    EXPECT_EQ (rig.processor->getHostParameterText (21), "50/50% (Dry/Wet)");
}

TEST (HalvenekValueTexts, TextRequestWaitsForARunningSubBlock)
{
    HalvenekTestRig rig;
    std::atomic<bool> answered { false };
    juce::String answer;

    // The audio thread holds the processor lock while a sub-block runs.
    rig.processor->getProcessorLock().enter();
    std::thread messageThread ([&]
    {
        answer = rig.text (fx);
        answered = true;
    });

    std::this_thread::sleep_for (std::chrono::milliseconds (50));
    EXPECT_FALSE (answered.load());
    rig.processor->getProcessorLock().exit();

    messageThread.join();
    EXPECT_TRUE (answered.load());
    EXPECT_EQ (answer, "50/50% (Dry/Wet)");
}
