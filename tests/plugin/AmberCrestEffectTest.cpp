#include "framework/plugin/AmberCrestEffect.h"
#include "FakePlayHead.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
    /** A core that writes down every call it gets, in one log shared with its processor. */
    class RecordingCore : public AmberCrestEffect::Core
    {
    public:
        RecordingCore (BasePluginOldStyle& processor, std::vector<juce::String>& sharedLog)
            : Core (processor), log (sharedLog) {}

        void setBlockSize (int size) override                { blockSize = size; }
        void setSampleRate (double rate) override            { sampleRate = rate; }
        void setParameter (int index, float value) override  { parameters.emplace_back (index, value); }
        void setTempo (double bpm) override                  { tempo = bpm; }
        void setQuality (int level) override                 { qualityLevels.push_back (level); }
        void alignToClock (int lfo, const Clock&) override   { log.push_back ("align " + juce::String (lfo)); }

        void processStereo (float* left, float* right, int count) override
        {
            record ("stereo", left, count);
            juce::ignoreUnused (right);
        }

        void processMono (float* samples, int count) override { record ("mono", samples, count); }

        double fadeStep (double coefficient, int waitSamples) { return stepPresetFade (coefficient, waitSamples); }

        /** Other threads must not get either lock while a sub-block runs. */
        bool checkLocks = false;
        bool locksWereHeld = true;

        int blockSize = 0;
        double sampleRate = 0.0, tempo = 0.0;
        std::vector<std::pair<int, float>> parameters;
        std::vector<int> qualityLevels;
        std::vector<float*> starts;

    private:
        void record (const char* kind, float* start, int count)
        {
            log.push_back (juce::String (kind) + " " + juce::String (count));
            starts.push_back (start);

            if (checkLocks)
            {
                bool free = false;
                std::thread other ([&]
                {
                    free = getLock().tryEnter();
                    if (free) getLock().exit();
                });
                other.join();
                locksWereHeld = locksWereHeld && ! free;
            }
        }

        std::vector<juce::String>& log;
    };

    class TestEffect : public AmberCrestEffect
    {
    public:
        explicit TestEffect (int clocks = 1, bool quality = false, bool qualityOnPrepare = true)
            : AmberCrestEffect (23), numClocks (clocks), withQuality (quality), qualityOnPrepareOnly (qualityOnPrepare) {}

        juce::String getProductName() const override   { return "Test"; }
        juce::String getProductPrefix() const override { return "TE"; }
        bool hasEditor() const override                 { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}

        void handleMidiControllerMessage (const juce::MidiMessage& m) override
        {
            log.push_back ("controller " + juce::String (m.getControllerNumber()) + " " + juce::String (m.getControllerValue()));
        }

        void handleProgramChange (int program) override { log.push_back ("program " + juce::String (program)); }
        void applyCurrentPreset() override               { ++presetApplies; AmberCrestEffect::applyCurrentPreset(); }

        RecordingCore& core()   { return *static_cast<RecordingCore*> (getCore()); }

        std::vector<juce::String> log;
        int presetApplies = 0;

    protected:
        std::unique_ptr<Core> createCore() override     { return std::make_unique<RecordingCore> (*this, log); }
        int getNumClocks() const override               { return numClocks; }
        bool hasQualitySettings() const override        { return withQuality; }
        bool appliesQualityOnPrepare() const override   { return qualityOnPrepareOnly; }

    private:
        const int numClocks;
        const bool withQuality, qualityOnPrepareOnly;
    };

    std::vector<juce::String> strings (std::initializer_list<const char*> items)
    {
        return std::vector<juce::String> (items.begin(), items.end());
    }
}

TEST (AmberCrestEffect, InitialiseCreatesClocksCoreAndPassesParameterChanges)
{
    TestEffect effect (2);
    effect.initialise();

    ASSERT_NE (effect.getCore(), nullptr);
    EXPECT_EQ (effect.getNumCreatedClocks(), 2);

    effect.getParameterManager().setParameterNormalisedValue (3, 0.7f);
    ASSERT_FALSE (effect.core().parameters.empty());
    EXPECT_EQ (effect.core().parameters.back(), std::make_pair (3, 0.7f));
}

TEST (AmberCrestEffect, PrepareSetsRatesAndReportsNoLatency)
{
    TestEffect effect (2);
    effect.initialise();
    effect.prepareToPlay (96000.0, 256);

    EXPECT_EQ (effect.core().sampleRate, 96000.0);
    EXPECT_EQ (effect.core().blockSize, 256);
    EXPECT_EQ (effect.getClock (1)->getSampleRate(), 96000.0);
    EXPECT_EQ (effect.getLatencySamples(), 0);
    EXPECT_TRUE (effect.core().qualityLevels.empty());
}

TEST (AmberCrestEffect, SubBlocksEndAtClockEdgeAndProgramChange)
{
    TestEffect effect (1);
    effect.initialise();
    effect.prepareToPlay (44100.0, 512);

    // Division 4 at 120 BPM: a period boundary at 0.25 quarter notes, which the second
    // block reaches at its sample 40.
    FakePlayHead playHead;
    playHead.set (120.0, 0.25 - (512 + 39.5) / 22050.0, true);
    effect.setPlayHead (&playHead);

    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;
    effect.processBlock (buffer, midi);
    EXPECT_EQ (effect.core().tempo, 120.0);

    effect.log.clear();
    playHead.advance (512, 44100.0);
    effect.core().checkLocks = true;
    midi.addEvent (juce::MidiMessage::programChange (1, 5), 100);
    effect.processBlock (buffer, midi);

    EXPECT_EQ (effect.log, strings ({ "stereo 40", "align 0", "stereo 60", "program 5", "stereo 412" }));
    EXPECT_TRUE (effect.core().locksWereHeld);

    // Each sub-block starts where the previous one ended.
    const auto& starts = effect.core().starts;
    ASSERT_GE (starts.size(), 3u);
    EXPECT_EQ (starts[starts.size() - 1] - starts[starts.size() - 2], 60);
}

TEST (AmberCrestEffect, StoppedHostStopsClocksAndLateEventsReachTheNextBlock)
{
    TestEffect effect (1);
    effect.initialise();
    effect.prepareToPlay (44100.0, 64);

    FakePlayHead playHead;
    playHead.set (100.0, 0.0, false);
    effect.setPlayHead (&playHead);

    juce::AudioBuffer<float> buffer (2, 64);
    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, 99), 70);
    midi.addEvent (juce::MidiMessage::controllerEvent (1, 1, 5), 3);
    effect.processBlock (buffer, midi);
    EXPECT_EQ (effect.log, strings ({ "stereo 3", "controller 1 5", "stereo 61" }));
    EXPECT_FALSE (effect.getClock (0)->isRunning());

    effect.log.clear();
    midi.clear();
    effect.processBlock (buffer, midi);
    EXPECT_EQ (effect.log, strings ({ "stereo 6", "controller 7 99", "stereo 58" }));
}

TEST (AmberCrestEffect, MonoAndOneInTwoOutProcessChannelZeroAndClearChannelOne)
{
    for (const auto& output : { juce::AudioChannelSet::mono(), juce::AudioChannelSet::stereo() })
    {
        TestEffect effect (0);
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add (juce::AudioChannelSet::mono());
        layout.outputBuses.add (output);
        ASSERT_TRUE (effect.setBusesLayout (layout));
        effect.initialise();
        effect.prepareToPlay (44100.0, 32);

        juce::AudioBuffer<float> buffer (2, 32);
        for (int i = 0; i < 32; ++i)
            buffer.setSample (1, i, 0.5f);

        juce::MidiBuffer midi;
        effect.processBlock (buffer, midi);

        EXPECT_EQ (effect.log, strings ({ "mono 32" }));
        EXPECT_EQ (effect.core().starts.back(), buffer.getWritePointer (0));

        if (output == juce::AudioChannelSet::stereo())
        {
            EXPECT_EQ (buffer.getMagnitude (1, 0, 32), 0.0f);
        }
    }
}

TEST (AmberCrestEffect, NothingReachesTheCoreWhenReleasedOrForEmptyBlocks)
{
    TestEffect effect (0);
    effect.initialise();

    juce::AudioBuffer<float> buffer (2, 16);
    juce::MidiBuffer midi;
    effect.processBlock (buffer, midi);
    EXPECT_TRUE (effect.log.empty());

    effect.prepareToPlay (44100.0, 16);
    juce::AudioBuffer<float> empty (2, 0);
    effect.processBlock (empty, midi);
    EXPECT_TRUE (effect.log.empty());

    effect.releaseResources();
    effect.processBlock (buffer, midi);
    EXPECT_TRUE (effect.log.empty());
}

TEST (AmberCrestEffect, QualityParameterGoesToSetQuality)
{
    for (const bool onPrepareOnly : { true, false })
    {
        TestEffect effect (0, true, onPrepareOnly);
        effect.getParameterManager().addParameter (std::make_unique<FloatParameter> (200, "Quality", 0.0f, 1.0f, 0.7f, true));
        effect.initialise();
        effect.prepareToPlay (44100.0, 16);

        effect.getParameterManager().getParameter (200)->setNormalisedValue (0.0f, true);

        for (const auto& parameter : effect.core().parameters)
            EXPECT_NE (parameter.first, 200);

        // Applied at prepare only, or at every change only.
        const auto expected = onPrepareOnly ? std::vector<int> { 2 } : std::vector<int> { 0 };
        EXPECT_EQ (effect.core().qualityLevels, expected);
    }
}

TEST (AmberCrestEffectCore, SilentPresetChangeFadesAppliesOnceWaitsAndReturns)
{
    TestEffect effect (0);
    effect.initialise();
    effect.presetApplies = 0;   // initialisation applies the starting preset
    auto& core = effect.core();

    EXPECT_EQ (core.fadeStep (0.002, 4000), 1.0);
    core.changePreset();
    EXPECT_TRUE (core.isFading());

    int sample = 0, appliedAt = -1, risingAt = -1;
    double gain = 1.0;

    for (; sample < 100000 && core.isFading(); ++sample)
    {
        gain = core.fadeStep (0.002, 4000);

        if (appliedAt < 0 && effect.presetApplies == 1)
        {
            appliedAt = sample;
            EXPECT_EQ (gain, 0.0);
        }

        if (appliedAt >= 0 && risingAt < 0 && gain > 1e-9)
            risingAt = sample;
    }

    EXPECT_EQ (effect.presetApplies, 1);
    EXPECT_EQ (risingAt - appliedAt, 4000);
    EXPECT_FALSE (core.isFading());
    EXPECT_EQ (gain, 1.0);
}

TEST (AmberCrestEffectCore, MeterScaleAndPairHandOff)
{
    TestEffect effect (0);
    effect.initialise();
    auto& core = effect.core();

    EXPECT_NEAR (core.getMeterLevel (1.0), 0.8, 1e-12);
    EXPECT_NEAR (core.getMeterLevel (-1.0), 0.8, 1e-12);
    EXPECT_EQ (core.getMeterLevel (0.0), 0.0);
    EXPECT_EQ (core.getMeterLevel (0.06), 0.0);            // below -24 dB
    EXPECT_NEAR (core.getMeterLevel (2.0), 1.0, 1e-3);       // the top of the table, +5.98 dB
    EXPECT_EQ (core.getMeterLevel (1e30), core.getMeterLevel (2.0));
    EXPECT_EQ (core.getMeterLevel (-1e30), 1.0);
    EXPECT_EQ (core.getMeterLevel (std::nan ("")), core.getMeterLevel (-2.0));

    AmberCrestEffect::Core::ValuePair pair;
    pair.set (0.25f, -3.5f);
    EXPECT_EQ (pair.get(), std::make_pair (0.25f, -3.5f));
}
