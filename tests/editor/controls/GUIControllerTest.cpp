#include "../EditorTestSupport.h"

#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXButton.h"
#include "framework/editor/controls/GFXKnob.h"

using namespace EditorTesting;

TEST (FrameRule, RoundsToTheNearestFrameAndClamps)
{
    EXPECT_EQ (BaseGFXController::frameForValue (0.5, 61), 30);
    EXPECT_EQ (BaseGFXController::frameForValue (0.9917, 61), 60);   // 59.502 + 0.5, floored
    EXPECT_EQ (BaseGFXController::frameForValue (0.0, 61), 0);
    EXPECT_EQ (BaseGFXController::frameForValue (1.0, 61), 60);
    EXPECT_EQ (BaseGFXController::frameForValue (-0.3, 61), 0);
    EXPECT_EQ (BaseGFXController::frameForValue (7.0, 61), 60);
    EXPECT_EQ (BaseGFXController::frameForValue (0.5, 12), 6);       // 5.5 + 0.5, floored
    EXPECT_EQ (BaseGFXController::frameForValue (0.8, 1), 0);
}

class GUIControllerTest : public ControlFixture {};

TEST_F (GUIControllerTest, TheLastConnectedLinkWinsAndOnlyItsParameterIsHeard)
{
    auto knob = make<GFXKnob> (R"(<Knob name="k"><links>
                                    <link as="connectedTo" param="LFO 1 Depth"/>
                                    <link as="connectedTo" param="Level"/>
                                  </links></Knob>)");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getParameter(), level);

    depth->setNormalisedValue (0.7f, true);
    pumpMessages();
    EXPECT_EQ (knob->getValue(), 0.0);

    level->setNormalisedValue (0.25f, true);
    pumpMessages();
    EXPECT_FLOAT_EQ ((float) knob->getValue(), 0.25f);
}

TEST_F (GUIControllerTest, LinksThatAreNotExactlyConnectedToOrNameNoParameterBindNothing)
{
    for (const auto* link : { R"(<link as="connectedto" param="LFO 1 Depth"/>)",
                              R"(<link as="modulatedBy" param="LFO 1 Depth"/>)",
                              R"(<link as="connectedTo" param="lfo 1 depth"/>)",
                              R"(<link as="connectedTo" param="No Such Parameter"/>)",
                              R"(<link param="LFO 1 Depth"/>)" })
    {
        auto knob = make<GFXKnob> (juce::String ("<Knob name='k'><links>") + link + "</links></Knob>");
        ASSERT_NE (knob, nullptr);
        EXPECT_EQ (knob->getParameter(), nullptr) << link;
    }
}

TEST_F (GUIControllerTest, ElementAndAttributeNamesIgnoreCase)
{
    auto knob = make<GFXKnob> (R"(<knob NAME="k"><LINKS><Link AS="connectedTo" Param="BBD"/></LINKS></knob>)");
    ASSERT_NE (knob, nullptr);
    EXPECT_EQ (knob->getParameter(), bbd);
}

TEST_F (GUIControllerTest, ActionsWithUnknownEventsOrEmptyTypesAreSkipped)
{
    auto button = make<GFXButton> (R"(<Button name="b"><actions>
                                        <action type="" event="Options"/>
                                        <action type="onClick" event="No Such Event"/>
                                        <action type="onClickWithCtrl" event="About"/>
                                      </actions></Button>)");
    ASSERT_NE (button, nullptr);
    EXPECT_EQ (button->getClickEvent(), -1);
    EXPECT_EQ (button->getCtrlClickEvent(), EventsMap::aboutEvent);
}

TEST_F (GUIControllerTest, AnActionTypeTheClassDoesNotKnowRaisesNothing)
{
    auto button = make<GFXButton> (R"(<Button name="b"><actions><action type="onLessClick" event="Options"/></actions></Button>)");
    ASSERT_NE (button, nullptr);
    EXPECT_EQ (button->getClickEvent(), -1);
    EXPECT_EQ (button->getCtrlClickEvent(), -1);
}

TEST_F (GUIControllerTest, WithoutPictureTheSizeGivesTheFrameAndPosDefaultsToTheOrigin)
{
    auto animation = make<GFXAnimation> (R"(<Animation name="a"><gfx resource="missing.png" framesNum="12"/>
                                              <size width="30" height="40"/></Animation>)");
    ASSERT_NE (animation, nullptr);
    EXPECT_EQ (animation->getNumFrames(), 12);
    EXPECT_EQ (animation->getBounds(), juce::Rectangle<int> (0, 0, 30, 40));
}

TEST_F (GUIControllerTest, APictureThatDoesNotDecodeCountsAsMissing)
{
    // parameters.xml exists as a resource but is no picture.
    auto animation = make<GFXAnimation> (R"(<Animation name="a"><gfx resource="parameters.xml" framesNum="0"/>
                                              <pos left="7" top="9"/><size width="16" height="17"/></Animation>)");
    ASSERT_NE (animation, nullptr);
    EXPECT_FALSE (animation->getImage().isValid());
    EXPECT_EQ (animation->getNumFrames(), 1);   // a frame count below 1 counts as 1
    EXPECT_EQ (animation->getBounds(), juce::Rectangle<int> (7, 9, 16, 17));
}

TEST_F (GUIControllerTest, APictureGivesTheFrameSizeAndOverridesTheSkinSize)
{
    GFXAnimation animation ("a");
    EXPECT_TRUE (animation.setFilmstrip (makeFilmstrip (36, 34, 61), 61));
    EXPECT_EQ (animation.getFrameWidth(), 36);
    EXPECT_EQ (animation.getFrameHeight(), 34);
    EXPECT_EQ (animation.getWidth(), 36);
    EXPECT_EQ (animation.getHeight(), 34);
    EXPECT_FALSE (animation.setFilmstrip ({}, 4));
    EXPECT_EQ (animation.getFrameHeight(), 34);
}
