#include "HalvenekTestRig.h"
#include "../editor/EditorTestSupport.h"
#include "../MessageLoop.h"

#include "framework/editor/AudioProcessorEditorWrapper.h"
#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXKnob.h"
#include "framework/editor/controls/GFXSwitch.h"
#include "product/HalvenekEditor.h"

using namespace HalvenekParameters;

namespace
{
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;

    /** Collects every area of a component that asks to be repainted, its children's
        included (a child's request passes through its parents on its way to the window). */
    struct RepaintRecorder : juce::CachedComponentImage
    {
        void paint (juce::Graphics&) override {}
        bool invalidateAll() override                               { everything = true; return true; }
        bool invalidate (const juce::Rectangle<int>& area) override { areas.add (area); return true; }
        void releaseResources() override {}

        bool touched (const juce::Component& control) const
        {
            return everything || areas.intersects (control.getBoundsInParent());
        }

        bool isEmpty() const    { return ! everything && areas.isEmpty(); }
        void clear()            { everything = false; areas.clear(); }

        bool everything = false;
        juce::RectangleList<int> areas;
    };
}

/** The processor as a host creates it, with the editor it built for itself. */
class HalvenekEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorTesting::ignoreXErrorsLikeAnApplication();
        ASSERT_NE (editor, nullptr);
        EditorTesting::pumpMessages();
    }

    template <typename ControlType>
    ControlType* find (const juce::String& name) const
    {
        return dynamic_cast<ControlType*> (editor->findControl (name));
    }

    void setSync (int lfo, float value)
    {
        rig.set (forLfo (lfo, lfoSync), value);
        EditorTesting::pumpMessages();
    }

    /** Blocks of a constant level through the processor as the host calls it. */
    void process (float level, int numBlocks, juce::MidiBuffer midi = {})
    {
        juce::AudioBuffer<float> buffer (2, blockSize);

        for (int block = 0; block < numBlocks; ++block)
        {
            for (int channel = 0; channel < 2; ++channel)
                juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), level, blockSize);

            rig.processor->processBlock (buffer, midi);
            midi.clear();
        }
    }

    /** Dry signal at unity gain: a constant 1.0 drives the meters toward 0.8 (0 dB). */
    void prepareDryAtUnityGain()
    {
        rig.set (fx, 0.0f);
        rig.set (outputVolume, 0.5f);
        rig.processor->prepareToPlay (sampleRate, blockSize);
    }

    HalvenekTestRig rig { sampleRate, blockSize };
    HalvenekEditor* editor = rig.processor->getEditorComponent();
};

//==============================================================================
TEST_F (HalvenekEditorTest, IsBuiltOnceWithTheProductSkinAndItsTimerWaitingForTheWindow)
{
    EXPECT_TRUE (editor->isSkinLoaded());
    EXPECT_EQ (editor->getWidth(), 633);
    EXPECT_EQ (editor->getHeight(), 223);
    EXPECT_EQ (editor->getSkinHeight(), 207);
    EXPECT_FALSE (editor->isTimerRunning());
    EXPECT_FALSE (editor->isVisible());
    EXPECT_EQ (rig.processor->getEditorComponent(), editor);
    EXPECT_TRUE (rig.processor->hasEditor());
}

TEST_F (HalvenekEditorTest, TheHostsEditorShowsTheEditorAndClosingItOnlyHidesIt)
{
    std::unique_ptr<juce::AudioProcessorEditor> hostEditor (rig.processor->createEditorIfNeeded());
    auto* wrapper = dynamic_cast<AudioProcessorEditorWrapper*> (hostEditor.get());
    ASSERT_NE (wrapper, nullptr);

    EXPECT_EQ (&wrapper->getEditorComponent(), editor);
    EXPECT_EQ (editor->getParentComponent(), wrapper);
    EXPECT_TRUE (editor->isVisible());
    EXPECT_EQ (editor->getTimerInterval(), 25);
    EXPECT_EQ (EditorTesting::countTooltipWindows (*editor), 0);   // until the mouse comes
    EXPECT_EQ (wrapper->getBounds(), juce::Rectangle<int> (0, 0, 633, 223));
    EXPECT_EQ (rig.processor->getActiveEditor(), wrapper);

    // The editor resizes itself (a docked panel opens): the host's frame follows.
    editor->setEditorSize (633, 207 + 256);
    EXPECT_EQ (wrapper->getHeight(), 479);
    editor->setEditorSize (633, 207);

    hostEditor.reset();
    EXPECT_EQ (rig.processor->getActiveEditor(), nullptr);
    EXPECT_EQ (editor->getParentComponent(), nullptr);
    EXPECT_FALSE (editor->isVisible());
    EXPECT_FALSE (editor->isTimerRunning());
    EXPECT_EQ (rig.processor->getEditorComponent(), editor);

    std::unique_ptr<juce::AudioProcessorEditor> reopened (rig.processor->createEditorIfNeeded());
    EXPECT_EQ (editor->getParentComponent(), reopened.get());
    EXPECT_EQ (editor->getTimerInterval(), 25);
    EXPECT_EQ (reopened->getHeight(), 223);
}

//==============================================================================
TEST_F (HalvenekEditorTest, EachLfoShowsEitherItsRateKnobOrItsNoteRateSwitch)
{
    for (int lfo = 0; lfo < numLfos; ++lfo)
    {
        const auto number = juce::String (lfo + 1);
        auto* knob = find<GFXKnob> ("LFO" + number + "RateSlider");
        auto* noteRate = find<GFXSwitch> ("LFO" + number + "RateSwitch");
        ASSERT_NE (knob, nullptr);
        ASSERT_NE (noteRate, nullptr);

        // From the start, as the preset has it.
        const bool freeRate = syncModeForValue (rig.processor->getParameterManager().getParameter (forLfo (lfo, lfoSync))->getNormalisedValue()) == 0;
        EXPECT_EQ (knob->isVisible(), freeRate) << lfo;
        EXPECT_NE (noteRate->isVisible(), freeRate) << lfo;

        setSync (lfo, 0.25f);
        EXPECT_FALSE (knob->isVisible()) << lfo;
        EXPECT_TRUE (noteRate->isVisible()) << lfo;

        setSync (lfo, 0.1f);
        EXPECT_TRUE (knob->isVisible()) << lfo;
        EXPECT_FALSE (noteRate->isVisible()) << lfo;

        // Within one mode the editor leaves the controls as they are.
        setSync (lfo, 0.30f);
        knob->setVisible (true);
        setSync (lfo, 0.32f);
        EXPECT_TRUE (knob->isVisible()) << lfo;
        EXPECT_TRUE (noteRate->isVisible()) << lfo;

        setSync (lfo, 0.0f);
        EXPECT_TRUE (knob->isVisible()) << lfo;
        EXPECT_FALSE (noteRate->isVisible()) << lfo;
    }
}

TEST_F (HalvenekEditorTest, OneLfosSyncLeavesTheOtherLfosControlsAlone)
{
    setSync (0, 0.0f);
    setSync (1, 0.0f);
    setSync (0, 0.5f);

    EXPECT_FALSE (find<GFXKnob> ("LFO1RateSlider")->isVisible());
    EXPECT_TRUE (find<GFXKnob> ("LFO2RateSlider")->isVisible());
    EXPECT_FALSE (find<GFXSwitch> ("LFO2RateSwitch")->isVisible());
}

//==============================================================================
TEST_F (HalvenekEditorTest, MetersFollowTheCoreAndFallToZeroAfterRelease)
{
    prepareDryAtUnityGain();
    process (1.0f, 8);

    const auto [coreLeft, coreRight] = rig.core.getMeterPair();
    ASSERT_NEAR (coreLeft, 0.8f, 0.001f);
    ASSERT_NEAR (coreRight, 0.8f, 0.001f);

    editor->updateFromTimer();
    EXPECT_EQ (editor->getMeterValues(), std::make_pair (coreLeft, coreRight));
    EXPECT_EQ (find<GFXAnimation> ("LeftVUMeter")->getCurrentFrame(), 9);     // 11 × 0.8 + 0.5
    EXPECT_EQ (find<GFXAnimation> ("RightVUMeter")->getCurrentFrame(), 9);

    rig.processor->releaseResources();

    // Each tick shows the value, then lets it fall; at 0.01 or below it drops to 0.
    float expected = coreLeft;
    int ticks = 0;

    while (expected > 0.0f)
    {
        editor->updateFromTimer();
        ++ticks;
        expected = expected > 0.01f ? expected * 0.675f : 0.0f;
        ASSERT_FLOAT_EQ (editor->getMeterValues().first, expected) << ticks;
        ASSERT_FLOAT_EQ (editor->getMeterValues().second, expected) << ticks;
        ASSERT_LT (ticks, 20);
    }

    EXPECT_EQ (ticks, 13);     // 0.8 × 0.675^12 is the first value at or below 0.01
    editor->updateFromTimer();
    EXPECT_EQ (find<GFXAnimation> ("LeftVUMeter")->getCurrentFrame(), 0);
    EXPECT_EQ (editor->getMeterValues(), std::make_pair (0.0f, 0.0f));
}

TEST_F (HalvenekEditorTest, TheFallReadsExactlyThePublishedSequence)
{
    // The values the product documents for a meter released at 0.8.
    EXPECT_FLOAT_EQ (AmberCrestEffectEditor::fallen (0.8f), 0.54f);
    EXPECT_FLOAT_EQ (AmberCrestEffectEditor::fallen (0.54f), 0.3645f);
    EXPECT_FLOAT_EQ (AmberCrestEffectEditor::fallen (0.0101f), 0.0101f * 0.675f);
    EXPECT_EQ (AmberCrestEffectEditor::fallen (0.01f), 0.0f);
    EXPECT_EQ (AmberCrestEffectEditor::fallen (0.0f), 0.0f);
}

TEST_F (HalvenekEditorTest, QuietOutputWhilePreparedLowersTheMetersAtOnce)
{
    prepareDryAtUnityGain();
    process (1.0f, 8);
    editor->updateFromTimer();

    process (0.0f, 100);
    editor->updateFromTimer();
    EXPECT_EQ (editor->getMeterValues(), rig.core.getMeterPair());
    EXPECT_LT (editor->getMeterValues().first, 0.8f * 0.675f);
}

TEST_F (HalvenekEditorTest, TheLfoLedsShowTheCoresLedPairWhilePreparedAndRestOtherwise)
{
    rig.freeRunning();
    rig.set (lfoRate, 0.5f);
    rig.set (forLfo (1, lfoRate), 0.7f);
    rig.processor->prepareToPlay (sampleRate, blockSize);

    auto* led1 = find<GFXAnimation> ("LFO1ValueLed");
    auto* led2 = find<GFXAnimation> ("LFO2ValueLed");
    ASSERT_NE (led1, nullptr);
    ASSERT_NE (led2, nullptr);

    bool sawLitLed = false;

    for (int tick = 0; tick < 40; ++tick)
    {
        process (0.5f, 4);
        editor->updateFromTimer();

        const auto [first, second] = rig.core.getLedPair();
        ASSERT_EQ (led1->getCurrentFrame(), BaseGFXController::frameForValue (first, 20)) << tick;
        ASSERT_EQ (led2->getCurrentFrame(), BaseGFXController::frameForValue (second, 20)) << tick;
        sawLitLed = sawLitLed || led1->getCurrentFrame() > 0;
    }

    EXPECT_TRUE (sawLitLed);

    rig.processor->releaseResources();
    editor->updateFromTimer();
    EXPECT_EQ (led1->getCurrentFrame(), 0);
    EXPECT_EQ (led2->getCurrentFrame(), 0);
}

/** The editor open in a host, with every repaint it asks for recorded. */
class HalvenekEditorRepaintTest : public HalvenekEditorTest
{
protected:
    void SetUp() override
    {
        HalvenekEditorTest::SetUp();
        hostEditor.reset (rig.processor->createEditorIfNeeded());
        editor->setCachedComponentImage (recorder);
    }

    void TearDown() override
    {
        editor->setCachedComponentImage (nullptr);
    }

    void tick (int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i)
            editor->updateFromTimer();
    }

    std::unique_ptr<juce::AudioProcessorEditor> hostEditor;
    RepaintRecorder* recorder = new RepaintRecorder();   // owned by the editor
};

TEST_F (HalvenekEditorRepaintTest, AnIdleEditorRepaintsNothingOnItsTicks)
{
    // Prepared, but the host sends no blocks: the meters and LEDs hold still.
    tick (5);
    EditorTesting::pumpMessages();
    recorder->clear();
    tick (40);
    MessageLoop::runFor (600);    // the controls' own timers (the display's caret) tick too
    EXPECT_TRUE (recorder->isEmpty());

    // After processing stops the meters fall to zero, and from then on nothing changes.
    prepareDryAtUnityGain();
    process (1.0f, 8);
    tick();
    rig.processor->releaseResources();
    tick (20);
    EditorTesting::pumpMessages();
    recorder->clear();
    tick (40);
    EditorTesting::pumpMessages();
    EXPECT_TRUE (recorder->isEmpty());
}

TEST_F (HalvenekEditorRepaintTest, AMeterLedOrParameterChangeRepaintsItsControlWithinOneTick)
{
    auto* leftMeter = find<GFXAnimation> ("LeftVUMeter");
    auto* rightMeter = find<GFXAnimation> ("RightVUMeter");
    prepareDryAtUnityGain();
    process (1.0f, 8);
    recorder->clear();
    tick();
    EXPECT_TRUE (recorder->touched (*leftMeter));
    EXPECT_TRUE (recorder->touched (*rightMeter));

    // A LED repaints on exactly the ticks on which its frame changes.
    rig.freeRunning();
    rig.set (lfoRate, 0.5f);
    auto* led = find<GFXAnimation> ("LFO1ValueLed");
    int changes = 0;

    for (int i = 0; i < 40; ++i)
    {
        const int frameBefore = led->getCurrentFrame();
        process (0.5f, 4);
        recorder->clear();
        tick();
        const bool changed = led->getCurrentFrame() != frameBefore;
        changes += changed ? 1 : 0;
        ASSERT_EQ (recorder->touched (*led), changed) << i;
    }

    EXPECT_GT (changes, 0);

    // A parameter's control repaints as soon as its deferred notification arrives.
    recorder->clear();
    rig.set (outputVolume, 0.9f);
    EditorTesting::pumpMessages();
    EXPECT_TRUE (recorder->touched (*find<GFXKnob> ("OutputVolumeKnob")));
}

TEST_F (HalvenekEditorTest, AnOpenEditorUpdatesOnItsWindowsFrames)
{
    std::unique_ptr<juce::AudioProcessorEditor> hostEditor (rig.processor->createEditorIfNeeded());
    hostEditor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
    hostEditor->setVisible (true);

    prepareDryAtUnityGain();
    process (1.0f, 8);

    auto* leftMeter = find<GFXAnimation> ("LeftVUMeter");
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return leftMeter->getCurrentFrame() == 9; }));
}

TEST_F (HalvenekEditorTest, TheTimerUpdatesNothingWhileTheEditorIsNotShowing)
{
    prepareDryAtUnityGain();
    process (1.0f, 8);

    editor->timerCallback();
    EXPECT_EQ (editor->getMeterValues(), std::make_pair (0.0f, 0.0f));
}

TEST_F (HalvenekEditorTest, MidiInTheHostsBlocksRaisesTheActivityFlag)
{
    prepareDryAtUnityGain();
    process (0.0f, 1);
    EXPECT_FALSE (rig.processor->takeMidiActivity());

    juce::MidiBuffer midi;
    midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 10);
    process (0.0f, 1, midi);
    EXPECT_TRUE (rig.processor->takeMidiActivity());
    EXPECT_FALSE (rig.processor->takeMidiActivity());
}

//==============================================================================
TEST (HalvenekEditorWithoutSkin, SkipsEveryFeatureWhoseControlIsMissing)
{
    EditorTesting::ignoreXErrorsLikeAnApplication();
    HalvenekTestRig rig;
    HalvenekEditor bare (rig.processor.get(), "no-such-skin.xml");
    bare.createFallbackControls();

    juce::AudioBuffer<float> buffer (2, blockSize);
    buffer.clear();
    juce::MidiBuffer midi;
    rig.processor->processBlock (buffer, midi);

    bare.updateFromTimer();
    rig.set (lfoSync, 0.25f);
    rig.set (lfoSync, 0.0f);
    EditorTesting::pumpMessages();
    bare.updateFromTimer();

    EXPECT_EQ (bare.getPresetNameDisplay(), nullptr);
    EXPECT_EQ (bare.getMidiActivityLed(), nullptr);
    EXPECT_EQ (bare.getNumFallbackControls(), Halvenek::numParameters);
}
