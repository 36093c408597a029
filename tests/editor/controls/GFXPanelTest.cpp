#include "../EditorTestSupport.h"

#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/editor/controls/GFXKnob.h"
#include "framework/editor/controls/GFXPanel.h"
#include "framework/editor/controls/NumericDisplay.h"
#include "framework/editor/controls/PatternNumberDisplay.h"

using namespace EditorTesting;

class PanelTest : public ControlFixture {};

TEST_F (PanelTest, NestedControlsAreMovedByTheOffsetsAndLaterOnesLieOnTop)
{
    auto panel = make<GFXPanel> (R"(<Panel name="p"><pos left="100" top="50"/><size width="200" height="90"/>
                                      <controls ofsX="10" ofsY="5">
                                        <Knob name="inner"><pos left="3" top="4"/><size width="20" height="30"/>
                                          <links><link as="connectedTo" param="LFO 1 Depth"/></links></Knob>
                                        <Button name="press"><actions><action type="onClick" event="About"/></actions>
                                          <pos left="3" top="4"/><size width="20" height="20"/></Button>
                                        <Unknown name="skipped"/>
                                        <ModWheel name="wheel"><size width="10" height="40"/></ModWheel>
                                      </controls></Panel>)");
    ASSERT_NE (panel, nullptr);
    EXPECT_EQ (panel->getBounds(), juce::Rectangle<int> (100, 50, 200, 90));
    ASSERT_EQ (panel->getNumControls(), 3);

    auto* knob = dynamic_cast<GFXKnob*> (panel->getControl (0));
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getBounds(), juce::Rectangle<int> (13, 9, 20, 30));
    EXPECT_EQ (knob->getParentComponent(), panel.get());
    EXPECT_EQ (knob->getParameter(), depth);
    EXPECT_EQ (panel->getIndexOfChildComponent (panel->getControl (1)), 1);   // above the knob
    EXPECT_NE (dynamic_cast<GFXAnimation*> (panel->getControl (2)), nullptr);
    EXPECT_EQ (panel->getControl (2)->getBounds(), juce::Rectangle<int> (10, 5, 10, 40));
}

TEST_F (PanelTest, AListenerOfThePanelHearsItsControls)
{
    auto panel = make<GFXPanel> (R"(<Panel name="p"><controls><Panel name="nested"><controls>
                                      <Button name="press"><actions><action type="onClick" event="About"/></actions>
                                        <size width="20" height="20"/></Button>
                                      </controls></Panel></controls></Panel>)");
    ASSERT_NE (panel, nullptr);
    ControllerRecorder editor;
    panel->addListener (&editor);

    auto* nested = dynamic_cast<GFXPanel*> (panel->getControl (0));
    ASSERT_NE (nested, nullptr);
    auto* button = dynamic_cast<GFXButton*> (nested->getControl (0));
    ASSERT_NE (button, nullptr);

    click (*button);
    EXPECT_EQ (editor.events, std::vector<int> { EventsMap::aboutEvent });
}

TEST_F (PanelTest, TransparencyAndVisibilityByParameter)
{
    auto panel = make<GFXPanel> (R"(<Panel name="p"><gfx transparent="yes"/><size width="20" height="20"/></Panel>)");
    auto opaque = make<GFXPanel> (R"(<Panel name="p"><gfx transparent="nope"/><size width="20" height="20"/></Panel>)");
    ASSERT_TRUE (panel && opaque);
    EXPECT_TRUE (panel->isTransparent());
    EXPECT_FALSE (opaque->isTransparent());
    EXPECT_EQ (opaque->createComponentSnapshot (opaque->getLocalBounds()).getPixelAt (10, 10), juce::Colour (0xffe5e5e5));

    bbd->setBoolValue (true, false);
    panel->hideWithParameter (*bbd);
    EXPECT_FALSE (panel->isVisible());
    panel->showWithParameter (*bbd);
    EXPECT_TRUE (panel->isVisible());
}

//==============================================================================
class NumericDisplayTest : public ControlFixture {};

TEST_F (NumericDisplayTest, ShowsTheValueDigitByDigitWithBlankLeadingZeros)
{
    auto display = make<NumericDisplay> (R"(<NumericDisplay name="n" digitsNum="4" firstDigitOrder="100"
                                              minValue="-200" maxValue="200"><links><link as="connectedTo" param="Level"/></links>
                                              <size width="50" height="12"/></NumericDisplay>)");
    ASSERT_NE (display, nullptr);
    ASSERT_EQ (display->getNumDigits(), 4);
    ASSERT_NE (display->getSign(), nullptr);
    EXPECT_DOUBLE_EQ (display->getDigit (3)->getWeight(), 0.1);
    EXPECT_EQ (display->getDigit (0)->getWidth(), 10);    // five cells share the width

    level->setValue (42.5f, true);
    pumpMessages();
    const auto frameOf = [&display] (int digit) { return display->getDigit (digit)->getFrame(); };
    EXPECT_EQ (frameOf (0), NumericDisplayDigit::blankFrame);
    EXPECT_EQ (frameOf (1), 4 + 1);
    EXPECT_EQ (frameOf (2), 2 + 1);
    EXPECT_EQ (frameOf (3), 5 + 1);
    EXPECT_FALSE (display->getSign()->isNegative());

    display->setDisplayedValue (-300.0);
    EXPECT_DOUBLE_EQ (display->getDisplayedValue(), -200.0);
    EXPECT_TRUE (display->getSign()->isNegative());
    EXPECT_EQ (frameOf (0), 2 + 1);

    display->setDisplayedValue (0.0);
    EXPECT_EQ (frameOf (1), NumericDisplayDigit::blankFrame);
    EXPECT_EQ (frameOf (2), 0 + 1);    // the units digit always shows

    display->setEnabled (false);
    EXPECT_EQ (frameOf (2), NumericDisplayDigit::blankFrame);
}

TEST_F (NumericDisplayTest, FirstDigitOrderMustBeAPowerOfTen)
{
    EXPECT_DOUBLE_EQ (NumericDisplay::firstDigitWeight (100.0, 4), 100.0);
    EXPECT_DOUBLE_EQ (NumericDisplay::firstDigitWeight (0.1, 4), 0.1);
    EXPECT_DOUBLE_EQ (NumericDisplay::firstDigitWeight (50.0, 3), 100.0);
    EXPECT_DOUBLE_EQ (NumericDisplay::firstDigitWeight (0.0, 2), 10.0);
    EXPECT_DOUBLE_EQ (NumericDisplay::firstDigitWeight (-10.0, 1), 1.0);
}

TEST_F (NumericDisplayTest, DraggingAPressedDigitStepsByItsWeightInOneGesture)
{
    auto display = make<NumericDisplay> (R"(<NumericDisplay name="n" digitsNum="3" minValue="0" maxValue="200">
                                              <links><link as="connectedTo" param="Level"/></links>
                                              <size width="30" height="12"/></NumericDisplay>)");
    ASSERT_NE (display, nullptr);
    ParameterRecorder host;
    level->addListener (&host);

    const juce::Point<float> tens (15.0f, 6.0f);
    display->mouseDown (mouseEvent (*display, tens, juce::ModifierKeys::leftButtonModifier, tens));
    display->mouseDrag (mouseEvent (*display, tens.translated (0.0f, -35.0f), juce::ModifierKeys::leftButtonModifier, tens, true));
    display->mouseUp (mouseEvent (*display, tens.translated (0.0f, -35.0f), {}, tens, true));
    level->removeListener (&host);

    EXPECT_FLOAT_EQ (level->getValue(), 30.0f);
    EXPECT_EQ (host.calls, (std::vector<char> { 'b', 'c', 'e' }));
}

TEST_F (NumericDisplayTest, ContinuousModeSpansTheRangeOverTheDrag)
{
    auto display = make<NumericDisplay> (R"(<NumericDisplay name="n" digitsNum="3" minValue="0" maxValue="200" control="continous">
                                              <size width="30" height="12"/></NumericDisplay>)");
    ASSERT_NE (display, nullptr);
    EXPECT_TRUE (display->isContinuous());

    const juce::Point<float> start (5.0f, 6.0f);
    display->mouseDown (mouseEvent (*display, start, juce::ModifierKeys::leftButtonModifier, start));
    display->mouseDrag (mouseEvent (*display, start.translated (0.0f, -125.0f), juce::ModifierKeys::leftButtonModifier, start, true));
    display->mouseUp (mouseEvent (*display, start, {}, start, true));

    EXPECT_DOUBLE_EQ (display->getDisplayedValue(), 100.0);
    EXPECT_EQ (level->getValue(), 0.0f);     // unbound: nothing else changes
}

//==============================================================================
class PatternNumberDisplayTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        parameters.addParameter (std::make_unique<IntParameter> (30, "Note", 0, 200, 0));
        note = parameters.getParameter (30);
        display = make<PatternNumberDisplay> (R"(<PatternNumberDisplay name="p" notePatternMin="0" notePatternMax="127"
                                                   numericPatternMin="0" numericPatternMax="99" bankAndSlotPatternMin="1"
                                                   bankAndSlotPatternMax="96" slotMax="12">
                                                   <links><link as="connectedTo" param="Note"/></links></PatternNumberDisplay>)");
        ASSERT_NE (display, nullptr);
    }

    std::vector<int> frames() const
    {
        std::vector<int> result;

        for (int i = 0; i < 4; ++i)
            result.push_back (display->getCell (i).getCurrentFrame());

        return result;
    }

    Parameter* note = nullptr;
    std::unique_ptr<PatternNumberDisplay> display;
};

TEST_F (PatternNumberDisplayTest, ShowsANoteNameByDefault)
{
    note->setIntValue (61, true);    // C#5: letter C, sharp, octave 5
    pumpMessages();
    EXPECT_EQ (frames(), (std::vector<int> { 11, 11, 11, 6 }));

    note->setIntValue (200, true);   // clamped to 127: G10
    pumpMessages();
    EXPECT_EQ (display->getShownValue(), 127);
    EXPECT_EQ (frames(), (std::vector<int> { 11, 15, 12, 11 }));
}

TEST_F (PatternNumberDisplayTest, NumericAndBankAndSlotPatterns)
{
    note->setIntValue (57, true);
    pumpMessages();

    display->setPatternMode (PatternNumberDisplay::numericPattern);
    EXPECT_EQ (frames(), (std::vector<int> { 0, 6, 8, 0 }));

    display->setPatternMode (PatternNumberDisplay::bankAndSlotPattern);   // bank 5, slot 9
    EXPECT_EQ (frames(), (std::vector<int> { 6, 18, 1, 10 }));

    display->setEnabled (false);
    EXPECT_EQ (frames(), (std::vector<int> { 0, 0, 0, 0 }));
}
