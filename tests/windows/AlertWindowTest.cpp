#include "WindowTestSupport.h"

#include "../MessageLoop.h"
#include "framework/windows/AlertWindow.h"

using namespace WindowTesting;

namespace
{
    struct RecordingCaller : Vexa::AlertWindow::Caller
    {
        void alertWindowClosed (Vexa::AlertWindow* alert, int returnValue) override
        {
            closedAlert = alert;
            answers.push_back (returnValue);
        }

        Vexa::AlertWindow* closedAlert = nullptr;
        std::vector<int> answers;
    };
}

class AlertWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        desktop.putOnScreen();
        alert = Vexa::AlertWindow::createConfirmation ("Overwrite", "Overwrite the preset \"Warm Tape\"?", &caller);
        desktop.addChildComponent (*alert);
        alert->show();
    }

    void TearDown() override
    {
        alert.reset();
    }

    /** Clicks a point of the alert through the desktop's window. */
    void clickInAlert (juce::Point<int> position)
    {
        desktop.clickAt (desktop.getLocalPoint (alert.get(), position));
    }

    void clickButton (int index)
    {
        clickInAlert (alert->getLocalArea (alert->getButton (index), alert->getButton (index)->getLocalBounds()).getCentre());
    }

    TestDesktop desktop;
    RecordingCaller caller;
    std::unique_ptr<Vexa::AlertWindow> alert;
};

TEST_F (AlertWindowTest, YesReportsOneAndNoReportsZero)
{
    ASSERT_EQ (alert->getNumButtons(), 2);
    EXPECT_EQ (alert->getButton (0)->getButtonText(), "Yes");
    EXPECT_EQ (alert->getButton (1)->getButtonText(), "No");

    clickButton (0);
    EXPECT_FALSE (alert->isShown());
    EXPECT_EQ (caller.answers, std::vector<int> ({ 1 }));
    EXPECT_EQ (caller.closedAlert, alert.get());

    alert->show();
    clickButton (1);
    EXPECT_FALSE (alert->isShown());
    EXPECT_EQ (caller.answers, std::vector<int> ({ 1, 0 }));
}

TEST_F (AlertWindowTest, TheCloseButtonHidesTheAlertAndTellsNobody)
{
    auto& close = alert->getCloseButton();
    clickInAlert (close.getBounds().getCentre());
    EXPECT_FALSE (alert->isShown());
    EXPECT_TRUE (caller.answers.empty());
}

TEST_F (AlertWindowTest, DimsTheEditorAroundIt)
{
    const auto dimmed = TestDesktop::background.overlaidWith (juce::Colours::black.withAlpha (0.33f));
    const auto seen = desktop.colourAt ({ 2, 2 });
    EXPECT_NEAR (seen.getRed(), dimmed.getRed(), 1);
    EXPECT_NEAR (seen.getGreen(), dimmed.getGreen(), 1);
    EXPECT_NEAR (seen.getBlue(), dimmed.getBlue(), 1);

    alert->hide();
    EXPECT_EQ (desktop.colourAt ({ 2, 2 }), TestDesktop::background);
}

TEST_F (AlertWindowTest, SizesItselfToTheMessageAndPlacesTheButtonsBottomRight)
{
    const auto& label = alert->getMessageLabel();
    const auto& row = alert->getButtonRow();
    const int textWidth = (int) std::ceil (label.getFont().getStringWidthFloat (alert->getMessage()));
    const int contentWidth = juce::jmax (textWidth, row.getWidth());

    EXPECT_EQ (alert->getWidth(), juce::jmax (250, contentWidth + 16));
    EXPECT_EQ (label.getFont().getHeight(), 13.0f);
    EXPECT_EQ (row.getWidth(), alert->getButton (0)->getWidth() + alert->getButton (1)->getWidth());
    EXPECT_EQ (alert->getButton (1)->getX(), alert->getButton (0)->getRight());

    const auto content = alert->getContentBounds();
    EXPECT_EQ (row.getRight(), content.getRight());
    EXPECT_EQ (row.getBottom(), content.getBottom());
    EXPECT_EQ (label.getBounds().getBottom(), row.getY() - 10);
    EXPECT_GE (label.getWidth(), textWidth);

    alert->addButton ("Cancel", -1);
    EXPECT_EQ (alert->getNumButtons(), 3);
    EXPECT_EQ (row.getRight(), alert->getContentBounds().getRight());
    clickButton (2);
    EXPECT_EQ (caller.answers, std::vector<int> ({ -1 }));
}
