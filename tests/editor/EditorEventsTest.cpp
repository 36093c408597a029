#include "EditorTestSupport.h"
#include "../MessageLoop.h"

#include "framework/windows/AboutWindow.h"
#include "framework/windows/OldStylePresetBrowserWindow.h"
#include "framework/windows/OptionsWindow.h"
#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/editor/controls/GFXDisplay.h"
#include "framework/editor/controls/GFXKnob.h"
#include "framework/editor/controls/GFXMultiStateButton.h"
#include "product/Halvenek.h"
#include "product/HalvenekEditor.h"

#include <thread>

using namespace EditorTesting;

namespace
{
    const juce::ModifierKeys ctrlClick (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::leftButtonModifier);

    juce::KeyPress key (int code)       { return juce::KeyPress (code); }
    juce::KeyPress character (juce::juce_wchar c) { return juce::KeyPress (0, {}, c); }
}

/** The product's processor with the editor it built from the product skin. */
class EditorEventsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ignoreXErrorsLikeAnApplication();
        ASSERT_NE (editor, nullptr);
        editor->setVisible (true);
        pumpMessages();
    }

    template <typename ControlType>
    ControlType* find (const char* name) const
    {
        return dynamic_cast<ControlType*> (editor->findControl (name));
    }

    StatusBar& statusBar() const        { return *editor->getStatusBar(); }
    MidiControl& midiControl() const    { return processor->getMidiControl(); }

    Parameter& parameter (const char* name) const
    {
        return *processor->getParameterManager().getParameterByName (name);
    }

    /** What the editor shows for a parameter: its name and its value text. */
    juce::String nameAndValue (const char* name) const
    {
        auto& p = parameter (name);
        return p.getName() + ": " + processor->getParameterValueText (p.getIndex());
    }

    /** Turns a knob the way its mouse handling does. */
    void turn (const char* knobName, double value)
    {
        auto* knob = find<GFXKnob> (knobName);
        ASSERT_NE (knob, nullptr);
        knob->setValue (value, juce::sendNotificationSync);
    }

    void raise (int eventNumber)
    {
        editor->controllerEvent (nullptr, eventNumber);
    }

    std::unique_ptr<Halvenek> processor = Halvenek::create();
    HalvenekEditor* editor = processor->getEditorComponent();
};

//==============================================================================
TEST_F (EditorEventsTest, NextPresetButtonSelectsTheNextPresetAndCtrlClickPastes)
{
    auto* previous = find<GFXButton> ("PrevPresetButton");
    auto* next = find<GFXButton> ("NextPresetButton");
    ASSERT_NE (previous, nullptr);
    ASSERT_NE (next, nullptr);

    click (*next);
    ASSERT_EQ (processor->getCurrentPresetNumber(), 1);

    for (int i = 0; i < Halvenek::numParameters; ++i)
        EXPECT_EQ (processor->getParameterManager().getParameter (i)->getNormalisedValue(),
                   processor->getPresetValue (1, i)) << i;

    const auto copiedName = processor->getPresetName (1);
    click (*previous, ctrlClick);                     // copy preset 1
    click (*next);                                    // to preset 2
    click (*next, ctrlClick);                         // paste into it

    EXPECT_EQ (processor->getCurrentPresetNumber(), 2);
    EXPECT_EQ (processor->getPresetName (2), copiedName + "_copy");

    for (int i = 0; i < Halvenek::numParameters; ++i)
        EXPECT_EQ (processor->getPresetValue (2, i), processor->getPresetValue (1, i)) << i;

    EXPECT_EQ (statusBar().getText(), "");            // the buttons are bound to no parameter
}

TEST_F (EditorEventsTest, CtrlClickOnBrowsePresetButtonStoresTheCurrentPreset)
{
    auto* browse = find<GFXButton> ("BrowsePresetButton");
    ASSERT_NE (browse, nullptr);

    const float stored = processor->getPresetValue (0, parameter ("FX").getIndex());
    const double turned = stored < 0.5f ? 0.75 : 0.25;
    turn ("FXKnob", turned);
    EXPECT_EQ (processor->getPresetValue (0, parameter ("FX").getIndex()), stored);   // stored on demand only

    click (*browse, ctrlClick);
    EXPECT_FLOAT_EQ (processor->getPresetValue (0, parameter ("FX").getIndex()), (float) turned);
}

TEST_F (EditorEventsTest, OptionsAndBrowseToggleTheirPanelsAndCtrlShowsAbout)
{
    auto* options = find<GFXButton> ("OptionsButton");
    auto* browse = find<GFXButton> ("BrowsePresetButton");
    ASSERT_NE (options, nullptr);
    ASSERT_NE (browse, nullptr);

    statusBar().showMessage ("Default Map settings will be affected when plugin is loaded.", StatusBar::settingsNotePriority);
    click (*options);
    EXPECT_EQ (editor->getHeight(), 479);
    EXPECT_EQ (statusBar().getPriority(), StatusBar::idlePriority);

    click (*options, ctrlClick);
    EXPECT_TRUE (editor->getAboutWindow()->isShown());
    editor->getAboutWindow()->hide();

    click (*browse);   // the browser takes the options' place
    EXPECT_EQ (editor->getHeight(), 479);
    EXPECT_FALSE (editor->getOptionsWindow()->isVisible());
    EXPECT_TRUE (editor->getPresetBrowserWindow()->isVisible());

    click (*browse);
    EXPECT_EQ (editor->getWidth(), 633);
    EXPECT_EQ (editor->getHeight(), 223);
    EXPECT_EQ (processor->getCurrentPresetNumber(), 0);
}

TEST_F (EditorEventsTest, AnEventsFileNameTakesTheBuiltInEventsPlace)
{
    auto& events = processor->getEventsMap();
    const auto file = parse (R"(<eventsmap><event name="Options" uid="1100"/></eventsmap>)");
    ASSERT_NE (file, nullptr);
    events.loadFromXml (*file);
    events.addBuiltInEvents();

    ASSERT_EQ (events.findEventNumber ("Options"), 1100);
    EXPECT_EQ (events.findEventName (1000), "");

    // An editor built now reads the skin's "Options" action as 1100, which nothing handles.
    HalvenekEditor shadowed (processor.get());
    auto* options = dynamic_cast<GFXButton*> (shadowed.findControl ("OptionsButton"));
    ASSERT_NE (options, nullptr);
    EXPECT_EQ (options->getClickEvent(), 1100);
    EXPECT_EQ (options->getCtrlClickEvent(), EventsMap::aboutEvent);

    click (*options);
    EXPECT_EQ (processor->getCurrentPresetNumber(), 0);
    EXPECT_FALSE (midiControl().isLearning());
    EXPECT_EQ (shadowed.getStatusBar()->getText(), "");
}

TEST_F (EditorEventsTest, ToggleMidiLearnTwiceEndsWhereItStarted)
{
    raise (EventsMap::toggleMidiLearnEvent);
    EXPECT_TRUE (midiControl().isLearning());
    EXPECT_EQ (statusBar().getText(), "Waiting for a controller or parameter movement...");
    EXPECT_EQ (statusBar().getPriority(), StatusBar::midiLearnPriority);
    EXPECT_FALSE (statusBar().isTimerRunning());

    raise (EventsMap::toggleMidiLearnEvent);
    EXPECT_FALSE (midiControl().isLearning());
    EXPECT_EQ (statusBar().getText(), "");
    EXPECT_EQ (statusBar().getPriority(), 0);
}

//==============================================================================
TEST_F (EditorEventsTest, TurningAKnobShowsItsParameterForThreeSeconds)
{
    turn ("FXKnob", 0.3);

    EXPECT_EQ (statusBar().getText(), nameAndValue ("FX"));
    EXPECT_EQ (statusBar().getPriority(), StatusBar::controlChangePriority);
    EXPECT_EQ (statusBar().getTimerInterval(), StatusBar::messageLifetimeMs);
}

TEST_F (EditorEventsTest, AKnobMessageReplacesASettingsNoteForGood)
{
    statusBar().showMessage ("Default Map settings will be affected when plugin is loaded.", StatusBar::settingsNotePriority);
    turn ("FXKnob", 0.3);
    EXPECT_EQ (statusBar().getText(), nameAndValue ("FX"));

    statusBar().timerCallback();
    EXPECT_EQ (statusBar().getText(), "");
}

TEST_F (EditorEventsTest, WhileLearningTheLearnTextStaysAndTheKnobsParameterIsLearned)
{
    raise (EventsMap::toggleMidiLearnEvent);
    turn ("FXKnob", 0.3);
    MessageLoop::dispatchPending();

    EXPECT_EQ (midiControl().getPendingParameter(), &parameter ("FX"));
    EXPECT_EQ (statusBar().getText(), "'FX' parameter is free. Waiting for a free controller now...");
    EXPECT_EQ (statusBar().getPriority(), StatusBar::midiLearnPriority);

    // A controller completes the pair; the assignment shows at the same priority.
    midiControl().handleMidiMessage (juce::MidiMessage::controllerEvent (1, 20, 64));
    MessageLoop::dispatchPending();
    EXPECT_EQ (midiControl().getAssignedParameter (20), &parameter ("FX"));
    EXPECT_EQ (statusBar().getText(), "CC# 20 is assigned to parameter 'FX'.");

    turn ("OutputVolumeKnob", 0.4);
    MessageLoop::dispatchPending();
    EXPECT_EQ (statusBar().getText(), "'Output Volume' parameter is free. Waiting for a free controller now...");

    raise (EventsMap::toggleMidiLearnEvent);
    EXPECT_EQ (statusBar().getText(), "");

    turn ("OutputVolumeKnob", 0.45);
    EXPECT_EQ (statusBar().getText(), nameAndValue ("Output Volume"));
    EXPECT_EQ (midiControl().findController (&parameter ("Output Volume")), -1);
}

TEST_F (EditorEventsTest, ALearnStateSwitchedOnAnotherThreadIsShownFromTheMessageLoop)
{
    std::thread hostThread ([this] { midiControl().setLearnMode (true); });
    hostThread.join();

    EXPECT_EQ (statusBar().getText(), "");
    EXPECT_TRUE (MessageLoop::runUntil ([this] { return statusBar().getText().isNotEmpty(); }));
    EXPECT_EQ (statusBar().getText(), "Waiting for a controller or parameter movement...");
}

TEST_F (EditorEventsTest, AControllerMovedParameterShowsBelowAKnobMessage)
{
    midiControl().assign (7, &parameter ("Output Volume"), false);

    midiControl().handleMidiMessage (juce::MidiMessage::controllerEvent (5, 7, 64));
    MessageLoop::dispatchPending();
    EXPECT_EQ (statusBar().getText(), nameAndValue ("Output Volume"));
    EXPECT_EQ (statusBar().getPriority(), StatusBar::midiMovedPriority);
    EXPECT_EQ (statusBar().getTimerInterval(), StatusBar::messageLifetimeMs);

    turn ("FXKnob", 0.3);
    midiControl().handleMidiMessage (juce::MidiMessage::controllerEvent (5, 7, 100));
    MessageLoop::dispatchPending();
    EXPECT_EQ (statusBar().getText(), nameAndValue ("FX"));
}

//==============================================================================
TEST_F (EditorEventsTest, EscapeInThePresetNameDisplayKeepsTheNameAndEnterRenames)
{
    auto* display = find<GFXDisplay> ("PresetNameDisplay");
    ASSERT_NE (display, nullptr);
    const auto name = processor->getPresetName (0);
    const auto nextName = processor->getPresetName (1);
    ASSERT_EQ (display->getText(), name);

    display->focusGained (juce::Component::focusChangedByMouseClick);
    display->keyPressed (character ('X'));
    display->keyPressed (key (juce::KeyPress::escapeKey));
    EXPECT_EQ (processor->getPresetName (0), name);
    EXPECT_EQ (display->getText(), name);

    display->focusGained (juce::Component::focusChangedByMouseClick);
    display->keyPressed (key (juce::KeyPress::backspaceKey));
    display->keyPressed (character ('X'));
    display->keyPressed (key (juce::KeyPress::returnKey));
    const auto renamed = name.dropLastCharacters (1) + "X";
    EXPECT_EQ (processor->getPresetName (0), renamed);
    EXPECT_EQ (parameter ("Current Preset Name").getText(), renamed);
    EXPECT_EQ (processor->getPresetName (1), nextName);
}

//==============================================================================
/** A skin with the optional MIDI learn button and activity LED, which the product skin lacks. */
class MidiLearnControlsTest : public EditorEventsTest
{
protected:
    void SetUp() override
    {
        EditorEventsTest::SetUp();
        const auto skin = parse (R"(<PluginEditor background="missing.png">
            <MultiStateButton name="MidiLearnButton" states="2"><actions><action type="onClick" event="Toggle Midi Learn"/></actions>
              <size width="20" height="20"/></MultiStateButton>
            <Animation name="MidiActivityLed"><gfx framesNum="2"/><size width="10" height="10"/></Animation>
          </PluginEditor>)");
        ASSERT_NE (skin, nullptr);
        editor->createControls (*skin);
    }
};

TEST_F (MidiLearnControlsTest, TheLearnButtonShowsTheLearnMode)
{
    auto* button = editor->getMidiLearnButton();
    ASSERT_NE (button, nullptr);

    click (*button);
    EXPECT_TRUE (midiControl().isLearning());
    EXPECT_EQ (button->getState(), 1);

    click (*button);
    EXPECT_FALSE (midiControl().isLearning());
    EXPECT_EQ (button->getState(), 0);
}

TEST_F (MidiLearnControlsTest, MidiActivityFlashesTheLedOnceAndTheFlagIsTaken)
{
    auto* led = editor->getMidiActivityLed();
    ASSERT_NE (led, nullptr);

    editor->updateFromTimer();
    EXPECT_EQ (led->getCurrentFrame(), 0);

    processor->noteMidiActivity();
    editor->updateFromTimer();
    EXPECT_EQ (led->getCurrentFrame(), 1);
    EXPECT_FALSE (processor->takeMidiActivity());

    EXPECT_TRUE (MessageLoop::runUntil ([led] { return led->getCurrentFrame() == 0; }));
}

TEST_F (EditorEventsTest, WithoutAnActivityLedTheFlagIsLeftAlone)
{
    processor->noteMidiActivity();
    editor->updateFromTimer();
    EXPECT_TRUE (processor->takeMidiActivity());
}
