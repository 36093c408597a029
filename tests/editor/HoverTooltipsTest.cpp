#include "EditorTestSupport.h"

#include "framework/editor/HoverTooltips.h"

/** A window with one child, and the mouse moved over it as the window system reports it. */
class HoverTooltipsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        EditorTesting::ignoreXErrorsLikeAnApplication();
        owner.setBounds (0, 0, 200, 100);
        child.setBounds (50, 20, 40, 40);
        owner.addAndMakeVisible (child);
        owner.addToDesktop (0);
        owner.setVisible (true);
        EditorTesting::pumpMessages();
    }

    void moveMouseTo (juce::Point<float> position)
    {
        owner.getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, position,
                                           juce::ModifierKeys(), juce::MouseInputSource::defaultPressure,
                                           juce::MouseInputSource::defaultOrientation,
                                           juce::Time::currentTimeMillis());
        EditorTesting::pumpMessages();
    }

    juce::Component owner, child;
    HoverTooltips tooltips { owner };
};

TEST_F (HoverTooltipsTest, TheWindowExistsOnlyWhileTheMouseIsOverTheOwnerOrItsChildren)
{
    EXPECT_FALSE (tooltips.isOpen());
    EXPECT_EQ (EditorTesting::countTooltipWindows (owner), 0);

    moveMouseTo ({ 10.0f, 10.0f });
    ASSERT_TRUE (tooltips.isOpen());
    EXPECT_EQ (EditorTesting::countTooltipWindows (owner), 1);
    const auto* window = owner.getChildComponent (owner.getNumChildComponents() - 1);

    // Moving onto a child is no exit from the owner: the same window stays.
    moveMouseTo ({ 60.0f, 30.0f });
    EXPECT_TRUE (tooltips.isOpen());
    EXPECT_EQ (owner.getChildComponent (owner.getNumChildComponents() - 1), window);

    moveMouseTo ({ 250.0f, 150.0f });
    EXPECT_FALSE (tooltips.isOpen());
    EXPECT_EQ (EditorTesting::countTooltipWindows (owner), 0);

    moveMouseTo ({ 60.0f, 30.0f });
    EXPECT_TRUE (tooltips.isOpen());
    tooltips.close();
    EXPECT_FALSE (tooltips.isOpen());
    EXPECT_EQ (EditorTesting::countTooltipWindows (owner), 0);
}
