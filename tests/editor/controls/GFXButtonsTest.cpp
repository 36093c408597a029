#include "../EditorTestSupport.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/editor/controls/GFXMultiStateButton.h"
#include "framework/editor/controls/GFXRocker.h"
#include "framework/editor/controls/GFXToggleButton.h"
#include "framework/editor/controls/TextButtonEx.h"

using namespace EditorTesting;

namespace
{
    const juce::ModifierKeys ctrlClick (juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::leftButtonModifier);
}

class ButtonTest : public ControlFixture
{
protected:
    std::unique_ptr<GFXButton> makeTopBarButton (const juce::String& name, const juce::String& clickEvent,
                                                 const juce::String& ctrlClickEvent, const juce::String& attributes = {})
    {
        auto button = make<GFXButton> ("<Button name='" + name + "' " + attributes + "><actions>"
                                       "<action type='onClick' event='" + clickEvent + "'/>"
                                       "<action type='onClickWithCtrl' event='" + ctrlClickEvent + "'/>"
                                       "</actions><size width='20' height='20'/></Button>");
        if (button != nullptr)
            button->addListener (&editor);

        return button;
    }

    ControllerRecorder editor;
};

TEST_F (ButtonTest, PlainAndCtrlClicksRaiseTheirOwnEvents)
{
    auto next = makeTopBarButton ("NextPresetButton", "Select next preset", "Paste copied preset");
    ASSERT_NE (next, nullptr);

    click (*next);
    click (*next, ctrlClick);

    ASSERT_EQ (editor.events.size(), 2u);
    EXPECT_EQ (editor.events[0], EventsMap::selectNextPresetEvent);
    EXPECT_EQ (editor.events[1], EventsMap::pasteCopiedPresetEvent);
}

TEST_F (ButtonTest, CtrlClickWithoutACtrlActionRaisesNothing)
{
    auto button = make<GFXButton> (R"(<Button name="b"><actions><action type="onClick" event="Options"/></actions>
                                        <size width="20" height="20"/></Button>)");
    ASSERT_NE (button, nullptr);
    button->addListener (&editor);

    click (*button, ctrlClick);
    EXPECT_TRUE (editor.events.empty());

    click (*button);
    EXPECT_EQ (editor.events, std::vector<int> { EventsMap::optionsEvent });
}

TEST_F (ButtonTest, TheTooltipNamesTheEventAClickWouldRaiseNow)
{
    auto options = makeTopBarButton ("OptionsButton", "Options", "About");
    ASSERT_NE (options, nullptr);

    options->mouseEnter (mouseEvent (*options, {}, {}));
    EXPECT_EQ (options->getTooltip(), "Options");

    options->modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (options->getTooltip(), "About");

    options->modifierKeysChanged (juce::ModifierKeys());
    EXPECT_EQ (options->getTooltip(), "Options");

    options->mouseEnter (mouseEvent (*options, {}, juce::ModifierKeys (juce::ModifierKeys::ctrlModifier)));
    EXPECT_EQ (options->getTooltip(), "About");

    auto plain = make<GFXButton> (R"(<Button name="b"><actions><action type="onClick" event="Options"/></actions></Button>)");
    ASSERT_NE (plain, nullptr);
    plain->modifierKeysChanged (juce::ModifierKeys (juce::ModifierKeys::ctrlModifier));
    EXPECT_EQ (plain->getTooltip(), "Options");

    auto none = make<GFXButton> ("<Button name='b'/>");
    none->mouseEnter (mouseEvent (*none, {}, {}));
    EXPECT_EQ (none->getTooltip(), "");
}

TEST_F (ButtonTest, AutoRepeatIsSetUpFromTheSkin)
{
    auto repeating = makeTopBarButton ("PrevPresetButton", "Select previous preset", "Copy current preset", "autorepeat='yes'");
    auto single = makeTopBarButton ("NextPresetButton", "Select next preset", "Paste copied preset", "autorepeat='no'");
    auto unset = makeTopBarButton ("BrowsePresetButton", "Browse presets", "Store current preset");
    ASSERT_TRUE (repeating && single && unset);

    EXPECT_EQ (repeating->getRepeatDelays(), std::make_pair (1000, 100));
    EXPECT_EQ (single->getRepeatDelays(), std::make_pair (-1, -1));
    EXPECT_EQ (unset->getRepeatDelays(), std::make_pair (-1, -1));
}

TEST_F (ButtonTest, ClickEventChoosesPressOrRelease)
{
    auto onPress = makeTopBarButton ("b", "Options", "About", "clickEvent='onPress'");
    auto other = makeTopBarButton ("b", "Options", "About", "clickEvent='onDoubleClick'");
    ASSERT_TRUE (onPress && other);
    EXPECT_TRUE (onPress->getTriggeredOnMouseDown());
    EXPECT_FALSE (other->getTriggeredOnMouseDown());

    const juce::Point<float> centre (5.0f, 5.0f);
    juce::Component& component = *onPress;
    component.mouseDown (mouseEvent (component, centre, juce::ModifierKeys::leftButtonModifier, centre));
    EXPECT_EQ (editor.events, std::vector<int> { EventsMap::optionsEvent });
    component.mouseUp (mouseEvent (component, centre, {}, centre));
    EXPECT_EQ (editor.events.size(), 1u);
}

TEST_F (ButtonTest, ThePictureShowsFrameOneOnlyWhilePressed)
{
    EXPECT_EQ (GFXButton::frameFor (false, false), 0);
    EXPECT_EQ (GFXButton::frameFor (true, false), 0);
    EXPECT_EQ (GFXButton::frameFor (true, true), 1);
}

TEST_F (ButtonTest, ANameSizesTheButtonUntilTheSkinDoes)
{
    GFXButton unnamed ("");
    EXPECT_EQ (unnamed.getBounds(), juce::Rectangle<int> (0, 0, 18, 18));

    GFXButton named ("Store");
    EXPECT_GT (named.getWidth(), 18);
    EXPECT_EQ (named.getHeight(), 18);
}

//==============================================================================
class ToggleButtonTest : public ControlFixture {};

TEST_F (ToggleButtonTest, A3DToggleShowsFrameTwoWhenOnAndThreeWhileHeld)
{
    auto toggle = make<GFXToggleButton> (R"(<ToggleButton name="BBDSwitch" style="3D" clickEvent="onRelease">
                                              <links><link as="connectedTo" param="BBD"/></links>
                                              <gfx resource="missing.png"/><pos left="4" top="5"/></ToggleButton>)");
    ASSERT_NE (toggle, nullptr);
    EXPECT_EQ (toggle->getStyle(), GFXToggleButton::style3D);
    toggle->setFilmstrip (makeFilmstrip (30, 20, 4), GFXToggleButton::framesForStyle (toggle->getStyle()));
    EXPECT_EQ (toggle->getBounds(), juce::Rectangle<int> (4, 5, 30, 20));

    EXPECT_EQ (toggle->getFrameToDraw (false, false), 0);
    EXPECT_EQ (toggle->getFrameToDraw (true, true), 0);     // off stays frame 0 while pressed

    bbd->setBoolValue (true, true);
    pumpMessages();
    EXPECT_EQ (toggle->getFrameToDraw (false, false), 2);
    EXPECT_EQ (toggle->getFrameToDraw (true, false), 2);
    EXPECT_EQ (toggle->getFrameToDraw (true, true), 3);

    toggle->setEnabled (false);
    EXPECT_EQ (toggle->getFrameToDraw (false, false), 0);
    toggle->setEnabled (true);

    toggle->setInverted (true);
    EXPECT_EQ (toggle->getFrameToDraw (false, false), 0);
}

TEST_F (ToggleButtonTest, A2DToggleHasTwoFramesAndOtherStylesKeepIt)
{
    auto toggle = make<GFXToggleButton> (R"(<ToggleButton name="t" style="4D"/>)");
    ASSERT_NE (toggle, nullptr);
    EXPECT_EQ (toggle->getStyle(), GFXToggleButton::style2D);
    EXPECT_EQ (GFXToggleButton::framesForStyle (toggle->getStyle()), 2);

    toggle->setToggleState (true, juce::dontSendNotification);
    EXPECT_EQ (toggle->getFrameToDraw (true, true), 1);
}

TEST_F (ToggleButtonTest, AClickSwitchesTheParameterWithoutAGesture)
{
    auto toggle = make<GFXToggleButton> (R"(<ToggleButton name="t"><links><link as="connectedTo" param="BBD"/></links>
                                              <size width="20" height="20"/></ToggleButton>)");
    ASSERT_NE (toggle, nullptr);
    ControllerRecorder editor;
    toggle->addListener (&editor);
    ParameterRecorder host;
    bbd->addListener (&host);

    click (*toggle);
    EXPECT_TRUE (bbd->getBoolValue());
    click (*toggle);
    EXPECT_FALSE (bbd->getBoolValue());
    bbd->removeListener (&host);

    EXPECT_EQ (editor.valueChanges, 2);
    EXPECT_EQ (editor.gestureStarts, 0);
    EXPECT_EQ (host.count ('b') + host.count ('e'), 0);
    EXPECT_EQ (host.count ('c'), 2);
}

TEST_F (ToggleButtonTest, DraggingAcrossADragGroupSetsTheButtonsPassedToTheFirstButtonsState)
{
    juce::Component row;
    row.setBounds (0, 0, 200, 40);
    std::vector<std::unique_ptr<GFXToggleButton>> buttons;

    for (int i = 0; i < 4; ++i)
    {
        auto button = make<GFXToggleButton> ("<ToggleButton name='t" + juce::String (i) + "' dragGroup='steps' clickEvent='onPress'>"
                                             "<pos left='" + juce::String (10 + i * 30) + "' top='5'/>"
                                             "<size width='20' height='20'/></ToggleButton>");
        ASSERT_NE (button, nullptr);
        row.addAndMakeVisible (*button);
        buttons.push_back (std::move (button));
    }

    EXPECT_EQ (GFXToggleButtonDragGroup::getInstance()->getNumMembers ("steps"), 4);

    // Press the second button (x 40..59) and drag left across the first (x 10..29).
    auto& pressed = *buttons[1];
    const juce::Point<float> down (5.0f, 5.0f);
    pressed.mouseDown (mouseEvent (pressed, down, juce::ModifierKeys::leftButtonModifier, down));
    EXPECT_TRUE (pressed.getToggleState());

    pressed.mouseDrag (mouseEvent (pressed, { -15.0f, 5.0f }, juce::ModifierKeys::leftButtonModifier, down, true));
    EXPECT_TRUE (buttons[0]->getToggleState());     // its right edge 29 was passed
    EXPECT_FALSE (buttons[2]->getToggleState());

    // Dragging right to x 72 passes the third button's left edge (70), not the fourth's.
    pressed.mouseDrag (mouseEvent (pressed, { 32.0f, 5.0f }, juce::ModifierKeys::leftButtonModifier, down, true));
    EXPECT_TRUE (buttons[2]->getToggleState());
    EXPECT_FALSE (buttons[3]->getToggleState());
    static_cast<juce::Component&> (pressed).mouseUp (mouseEvent (pressed, { 32.0f, 5.0f }, {}, down, true));

    buttons.clear();
    EXPECT_EQ (GFXToggleButtonDragGroup::getInstance()->getNumMembers ("steps"), 0);
}

TEST_F (ToggleButtonTest, TheDragStateFollowsTheParameterOfEachSweptButton)
{
    auto first = make<GFXToggleButton> (R"(<ToggleButton name="a" dragGroup="pair" clickEvent="onPress">
                                             <size width="20" height="20"/></ToggleButton>)");
    auto second = make<GFXToggleButton> (R"(<ToggleButton name="b" dragGroup="pair">
                                              <links><link as="connectedTo" param="BBD"/></links>
                                              <pos left="25" top="0"/><size width="20" height="20"/></ToggleButton>)");
    ASSERT_TRUE (first && second);
    juce::Component parent;
    parent.addAndMakeVisible (*first);
    parent.addAndMakeVisible (*second);

    const juce::Point<float> down (5.0f, 5.0f);
    first->mouseDown (mouseEvent (*first, down, juce::ModifierKeys::leftButtonModifier, down));
    first->mouseDrag (mouseEvent (*first, { 30.0f, 5.0f }, juce::ModifierKeys::leftButtonModifier, down, true));
    static_cast<juce::Component&> (*first).mouseUp (mouseEvent (*first, { 30.0f, 5.0f }, {}, down, true));

    EXPECT_TRUE (bbd->getBoolValue());
}

//==============================================================================
class MultiStateButtonTest : public ControlFixture {};

TEST_F (MultiStateButtonTest, OneStateKeepsTwoAndTheStyleSetsTheFrames)
{
    auto one = make<GFXMultiStateButton> (R"(<MultiStateButton name="m" states="1"/>)");
    auto three = make<GFXMultiStateButton> (R"(<MultiStateButton name="m" states="3" style="3D"
                                                 ><links><link as="connectedTo" param="Mode"/></links></MultiStateButton>)");
    ASSERT_TRUE (one && three);
    EXPECT_EQ (one->getNumStates(), 2);
    EXPECT_EQ (three->getNumStates(), 3);

    three->setFilmstrip (makeFilmstrip (10, 10, 6), 6);
    mode->setIntValue (3, true);    // normalised 1 -> state 2
    pumpMessages();
    EXPECT_EQ (three->getState(), 2);
    EXPECT_EQ (three->getFrameToDraw (false, false), 4);
    EXPECT_EQ (three->getFrameToDraw (true, true), 5);

    mode->setIntValue (1, true);    // normalised 1/3 -> floor (2/3 + 0.5) = 1
    pumpMessages();
    EXPECT_EQ (three->getState(), 1);
}

TEST_F (MultiStateButtonTest, AClickRaisesEventsButKeepsTheState)
{
    auto learn = make<GFXMultiStateButton> (R"(<MultiStateButton name="MidiLearnButton"><actions>
                                                 <action type="onClick" event="Toggle Midi Learn"/></actions>
                                                 <size width="20" height="20"/></MultiStateButton>)");
    ASSERT_NE (learn, nullptr);
    ControllerRecorder editor;
    learn->addListener (&editor);

    click (*learn);
    click (*learn, ctrlClick);
    EXPECT_EQ (editor.events, std::vector<int> { EventsMap::toggleMidiLearnEvent });
    EXPECT_EQ (learn->getState(), 0);
}

TEST_F (MultiStateButtonTest, AnInvertedButtonSwapsTheFirstAndLastFrames)
{
    GFXMultiStateButton button ("m");
    button.setInverted (true);
    EXPECT_EQ (button.getFrameToDraw (false, false), 1);
    button.setState (1);
    EXPECT_EQ (button.getFrameToDraw (false, false), 0);
}

//==============================================================================
class RockerTest : public ControlFixture {};

TEST_F (RockerTest, EachHalfRaisesItsEventOncePerPress)
{
    auto rocker = make<GFXRocker> (R"(<Rocker name="r" type="vertical"><actions>
                                        <action type="onLessClick" event="Select previous preset"/>
                                        <action type="onMoreClick" event="Select next preset"/>
                                        <action type="onMoreClickWithCtrl" event="Paste copied preset"/>
                                      </actions><size width="20" height="40"/></Rocker>)");
    ASSERT_NE (rocker, nullptr);
    ControllerRecorder editor;
    rocker->addListener (&editor);

    const juce::Point<float> upper (10.0f, 5.0f), lower (10.0f, 35.0f);
    rocker->mouseDown (mouseEvent (*rocker, upper));
    EXPECT_EQ (rocker->getPressedSide(), GFXRocker::moreSide);
    EXPECT_EQ (rocker->getFrameToDraw(), 2);
    rocker->mouseDrag (mouseEvent (*rocker, { 10.0f, 80.0f }, juce::ModifierKeys::leftButtonModifier, upper, true));
    EXPECT_EQ (rocker->getFrameToDraw(), 1);
    rocker->mouseUp (mouseEvent (*rocker, upper, {}));
    EXPECT_EQ (rocker->getPressedSide(), GFXRocker::restSide);

    rocker->mouseDown (mouseEvent (*rocker, lower));
    EXPECT_EQ (rocker->getFrameToDraw(), 0);
    rocker->mouseUp (mouseEvent (*rocker, lower, {}));
    rocker->mouseDown (mouseEvent (*rocker, upper, ctrlClick));
    rocker->mouseDown (mouseEvent (*rocker, lower, ctrlClick));    // no less-with-Ctrl action

    EXPECT_EQ (editor.events, (std::vector<int> { EventsMap::selectNextPresetEvent, EventsMap::selectPreviousPresetEvent,
                                                  EventsMap::pasteCopiedPresetEvent }));
}

TEST_F (RockerTest, AHorizontalRockerUsesTheRightHalfForMore)
{
    auto rocker = make<GFXRocker> (R"(<Rocker name="r" type="horizontal"><size width="40" height="20"/></Rocker>)");
    ASSERT_NE (rocker, nullptr);
    EXPECT_EQ (rocker->getType(), GFXRocker::horizontal);

    rocker->mouseDown (mouseEvent (*rocker, { 35.0f, 10.0f }));
    EXPECT_EQ (rocker->getPressedSide(), GFXRocker::moreSide);
    rocker->mouseDown (mouseEvent (*rocker, { 5.0f, 10.0f }));
    EXPECT_EQ (rocker->getPressedSide(), GFXRocker::lessSide);
}

//==============================================================================
TEST (TextButtonExTest, TakesItsPicturesAndFontFromTheLookAndFeel)
{
    DefaultLookAndFeel lookAndFeel;
    juce::Component window;
    window.setLookAndFeel (&lookAndFeel);

    TextButtonEx browse ("Browse", "Browse", 1);
    const int widthWithoutLookAndFeel = browse.getWidth();
    window.addAndMakeVisible (browse);

    const auto& pictures = lookAndFeel.getTextButtonPictures (1);
    ASSERT_TRUE (pictures.isComplete());
    EXPECT_EQ (browse.getHeight(), pictures.left.getHeight());
    EXPECT_EQ (browse.getWidth(), lookAndFeel.getTextButtonExFont().getStringWidth ("Browse")
                                    + pictures.left.getWidth() + pictures.right.getWidth());
    EXPECT_NE (browse.getWidth(), widthWithoutLookAndFeel);

    const auto snapshot = browse.createComponentSnapshot (browse.getLocalBounds());
    EXPECT_TRUE (snapshot.getPixelAt (browse.getWidth() / 2, 1).isOpaque());

    window.removeChildComponent (&browse);
    window.setLookAndFeel (nullptr);
}
