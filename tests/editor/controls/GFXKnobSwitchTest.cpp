#include "../../MessageLoop.h"
#include "../EditorTestSupport.h"

#include "framework/editor/controls/GFXKnob.h"
#include "framework/editor/controls/GFXSwitch.h"

#include <thread>

using namespace EditorTesting;

class KnobTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        knob = make<GFXKnob> (R"(<Knob name="Depth"><links><link as="connectedTo" param="LFO 1 Depth"/></links>
                                   <pos left="10" top="20"/><size width="50" height="80"/></Knob>)");
        ASSERT_NE (knob, nullptr);
        knob->addListener (&editor);
        depth->addListener (&host);
    }

    void TearDown() override
    {
        depth->removeListener (&host);
    }

    /** Presses the knob, drags it up by the given pixels in steps, and releases it. */
    void dragUp (GFXKnob& target, int pixels)
    {
        const juce::Point<float> start (25.0f, 60.0f);
        target.mouseDown (mouseEvent (target, start, juce::ModifierKeys::leftButtonModifier, start));

        for (int moved = 5; moved <= pixels; moved += 5)
            target.mouseDrag (mouseEvent (target, start.translated (0.0f, (float) -moved),
                                          juce::ModifierKeys::leftButtonModifier, start, true));

        target.mouseUp (mouseEvent (target, start.translated (0.0f, (float) -pixels), {}, start, true));
    }

    std::unique_ptr<GFXKnob> knob;
    ParameterRecorder host;
    ControllerRecorder editor;
};

TEST_F (KnobTest, IsARotaryVerticalDragSliderPlacedByTheSkin)
{
    EXPECT_EQ (knob->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (knob->getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob->getMouseDragSensitivity(), 250);
    EXPECT_EQ (knob->getInterval(), 0.0);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (10, 20, 50, 80));
}

TEST_F (KnobTest, DraggingHalfTheSensitivityFromTheMinimumGivesOneHalfInOneGesture)
{
    dragUp (*knob, 125);

    EXPECT_FLOAT_EQ (depth->getNormalisedValue(), 0.5f);
    ASSERT_GE (host.calls.size(), 3u);
    EXPECT_EQ (host.calls.front(), 'b');
    EXPECT_EQ (host.calls.back(), 'e');
    EXPECT_EQ (host.count ('b'), 1);
    EXPECT_EQ (host.count ('e'), 1);
    EXPECT_EQ (host.count ('c'), 25);    // one change per 5-pixel step

    EXPECT_EQ (editor.gestureStarts, 1);
    EXPECT_EQ (editor.gestureEnds, 1);
    EXPECT_EQ (editor.valueChanges, 25);
}

TEST_F (KnobTest, AHostChangeMovesTheFrameOnTheMessageThreadWithoutGestureOrUserChange)
{
    knob->setFilmstrip (makeFilmstrip (36, 34, 61), 61);

    std::thread audioThread ([this] { depth->setNormalisedValue (0.5f, true); });
    audioThread.join();
    host.calls.clear();

    EXPECT_EQ (knob->getFrameToDraw(), 0);   // not before the message thread has run
    EXPECT_TRUE (MessageLoop::runUntil ([this] { return knob->getFrameToDraw() == 30; }));
    EXPECT_TRUE (host.calls.empty());
    EXPECT_EQ (editor.valueChanges, 0);
    EXPECT_EQ (editor.gestureStarts, 0);

    depth->setNormalisedValue (0.9917f, true);
    pumpMessages();
    EXPECT_EQ (knob->getFrameToDraw(), 60);
}

TEST_F (KnobTest, ADisabledKnobShowsFrameZero)
{
    knob->setFilmstrip (makeFilmstrip (36, 34, 61), 61);
    knob->setValue (1.0, juce::dontSendNotification);
    EXPECT_EQ (knob->getFrameToDraw(), 60);

    knob->setEnabled (false);
    EXPECT_EQ (knob->getFrameToDraw(), 0);
}

TEST_F (KnobTest, TheDrawnFrameComesFromTheFilmstrip)
{
    knob->setFilmstrip (makeFilmstrip (36, 34, 61), 61);
    knob->setValue (0.5, juce::dontSendNotification);

    const auto snapshot = knob->createComponentSnapshot (knob->getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (18, 17).getRed(), 30);
}

TEST_F (KnobTest, AnUnboundKnobTurnsButChangesNothingAndTellsNobody)
{
    auto unbound = make<GFXKnob> (R"(<Knob name="free"><size width="50" height="80"/></Knob>)");
    ASSERT_NE (unbound, nullptr);
    ControllerRecorder listener;
    unbound->addListener (&listener);

    dragUp (*unbound, 50);

    EXPECT_FLOAT_EQ ((float) unbound->getValue(), 0.2f);
    EXPECT_EQ (listener.gestureStarts + listener.gestureEnds + listener.valueChanges, 0);
    EXPECT_EQ (depth->getNormalisedValue(), 0.0f);
}

TEST_F (KnobTest, ThePlaceholderShowsTheParameterTextAndNameWithoutCrashing)
{
    depth->setNormalisedValue (0.25f, true);
    pumpMessages();
    const auto snapshot = knob->createComponentSnapshot (knob->getLocalBounds());
    EXPECT_TRUE (snapshot.isValid());
    // The outline is grey 0.7.
    EXPECT_EQ (snapshot.getPixelAt (0, 40), juce::Colour (0xffb2b2b2));
}

//==============================================================================
class SwitchTest : public ControlFixture {};

TEST_F (SwitchTest, StyleIsReadWithoutRegardToCaseAndOtherValuesKeepRotary)
{
    auto vertical = make<GFXSwitch> (R"(<Switch name="s" style="vertical"><size width="20" height="60"/></Switch>)");
    auto horizontal = make<GFXSwitch> (R"(<Switch name="s" Style="HORIZONTAL"/>)");
    auto other = make<GFXSwitch> (R"(<Switch name="s" style="diagonal"/>)");
    auto missing = make<GFXSwitch> (R"(<Switch name="s"/>)");
    ASSERT_TRUE (vertical && horizontal && other && missing);

    EXPECT_EQ (vertical->getStyle(), GFXSwitch::vertical);
    EXPECT_EQ (vertical->getSliderStyle(), juce::Slider::LinearVertical);
    EXPECT_EQ (horizontal->getSliderStyle(), juce::Slider::LinearHorizontal);
    EXPECT_EQ (other->getStyle(), GFXSwitch::rotary);
    EXPECT_EQ (other->getSliderStyle(), juce::Slider::RotaryVerticalDrag);
    EXPECT_EQ (missing->getStyle(), GFXSwitch::rotary);
    EXPECT_DOUBLE_EQ (missing->getInterval(), 0.005);
}

TEST_F (SwitchTest, FourFramesSplitTheRangeAtTheRoundedThirds)
{
    auto sync = make<GFXSwitch> (R"(<Switch name="LFO1TempoSyncSwitch" style="Horizontal">
                                       <links><link as="connectedTo" param="LFO 1 Depth"/></links></Switch>)");
    ASSERT_NE (sync, nullptr);
    sync->setFilmstrip (makeFilmstrip (40, 20, 4), 4);

    const std::pair<float, int> expected[] = { { 0.0f, 0 }, { 0.16f, 0 }, { 0.17f, 1 }, { 0.495f, 1 },
                                               { 0.5f, 2 }, { 0.83f, 2 }, { 0.835f, 3 }, { 1.0f, 3 } };

    for (auto [value, frame] : expected)
    {
        depth->setNormalisedValue (value, true);
        pumpMessages();
        EXPECT_EQ (sync->getFrameToDraw(), frame) << value;
    }
}

TEST_F (SwitchTest, ALinearSwitchJumpsToTheClickedPositionAndSetsItsParameter)
{
    auto vertical = make<GFXSwitch> (R"(<Switch name="s" style="Vertical"><size width="20" height="100"/>
                                           <links><link as="connectedTo" param="LFO 1 Depth"/></links></Switch>)");
    ASSERT_NE (vertical, nullptr);
    ParameterRecorder host;
    depth->addListener (&host);

    const juce::Point<float> top (10.0f, 0.0f);
    vertical->mouseDown (mouseEvent (*vertical, top, juce::ModifierKeys::leftButtonModifier, top));
    vertical->mouseUp (mouseEvent (*vertical, top, {}, top));
    depth->removeListener (&host);

    EXPECT_GT (depth->getNormalisedValue(), 0.9f);
    EXPECT_EQ (host.count ('b'), 1);
    EXPECT_EQ (host.count ('e'), 1);
}
