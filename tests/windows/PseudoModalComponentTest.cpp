#include "WindowTestSupport.h"

#include "../MessageLoop.h"
#include "framework/windows/WindowComponent.h"

using namespace WindowTesting;

namespace
{
    struct CountingDialog : public WindowComponent
    {
        CountingDialog()            { setContentSize (100, 50); }
        void modalStateChanged() override   { ++stateChanges; }
        int stateChanges = 0;
    };
}

class PseudoModalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        desktop = std::make_unique<TestDesktop>();
        dialog = std::make_unique<CountingDialog>();
        desktop->addChildComponent (*dialog);
    }

    std::unique_ptr<TestDesktop> desktop;
    std::unique_ptr<CountingDialog> dialog;
};

TEST_F (PseudoModalTest, ShowAttachesOnceThenShowsAndHidesTheCoveringWindow)
{
    EXPECT_FALSE (dialog->isAttached());

    dialog->show();
    auto& cover = dialog->getCoveringWindow();
    ASSERT_TRUE (dialog->isShown());
    EXPECT_EQ (dialog->getParentComponent(), &cover);
    EXPECT_EQ (cover.getParentComponent(), desktop.get());
    EXPECT_EQ (cover.getBounds(), desktop->getLocalBounds());
    EXPECT_EQ (desktop->getChildren().getLast(), &cover);   // above everything
    EXPECT_EQ (dialog->getBounds(), juce::Rectangle<int> (195, 140, 250, 120));   // centred
    EXPECT_EQ (dialog->stateChanges, 1);

    dialog->show();   // a shown dialog stays as it is
    EXPECT_EQ (dialog->stateChanges, 1);

    dialog->hide();
    EXPECT_FALSE (dialog->isShown());
    EXPECT_TRUE (dialog->isAttached());
    EXPECT_FALSE (cover.isVisible());
    EXPECT_TRUE (dialog->isVisible());
    EXPECT_EQ (desktop->getChildren().getFirst(), &cover);   // sent behind its siblings
    EXPECT_EQ (dialog->stateChanges, 2);

    dialog->hide();
    EXPECT_EQ (dialog->stateChanges, 2);

    desktop->setSize (800, 500);   // the layer follows the editor and centres the dialog again
    dialog->show();
    EXPECT_EQ (cover.getBounds(), desktop->getLocalBounds());
    EXPECT_EQ (dialog->getPosition(), juce::Point<int> (275, 190));
}

TEST_F (PseudoModalTest, ShowAtPlacesTheDialogRelativeToAComponentAndAShownDialogDoesNotMove)
{
    juce::Component anchor;
    anchor.setBounds (30, 40, 100, 20);
    desktop->addAndMakeVisible (anchor);

    dialog->showAt (PseudoModalComponent::atPoint, { 0, anchor.getHeight() }, &anchor);
    EXPECT_EQ (dialog->getPosition(), juce::Point<int> (30, 60));

    dialog->showAt (PseudoModalComponent::atPoint, { 200, 200 });
    EXPECT_EQ (dialog->getPosition(), juce::Point<int> (30, 60));

    dialog->hide();
    dialog->show();   // a plain show centres again
    EXPECT_EQ (dialog->getPositionMode(), PseudoModalComponent::centred);
    EXPECT_EQ (dialog->getBounds().getCentre(), desktop->getLocalBounds().getCentre());
    desktop->removeChildComponent (&anchor);
}

TEST_F (PseudoModalTest, WithoutAnEditorAboveItADialogOnlyBecomesVisible)
{
    juce::Component plainParent;
    plainParent.addChildComponent (*dialog);

    dialog->show();
    EXPECT_TRUE (dialog->isVisible());
    EXPECT_FALSE (dialog->isAttached());
    EXPECT_EQ (dialog->getParentComponent(), &plainParent);

    dialog->hide();
    EXPECT_FALSE (dialog->isVisible());
    EXPECT_EQ (dialog->stateChanges, 0);
}

TEST_F (PseudoModalTest, ClicksOutsideAShownDialogReachNothing)
{
    juce::TextButton behind ("Behind");
    int clicks = 0;
    behind.onClick = [&] { ++clicks; };
    behind.setBounds (10, 10, 80, 30);
    desktop->addAndMakeVisible (behind);
    desktop->putOnScreen();

    dialog->show();
    desktop->clickAt ({ 20, 20 });
    EXPECT_EQ (clicks, 0);
    EXPECT_TRUE (dialog->isShown());

    dialog->hide();
    desktop->clickAt ({ 20, 20 });
    EXPECT_EQ (clicks, 1);
    desktop->removeChildComponent (&behind);
}

TEST_F (PseudoModalTest, OnlyDialogsThatAskForItDimTheEditor)
{
    dialog->show();
    EXPECT_EQ (desktop->colourAt ({ 5, 5 }), TestDesktop::background);
}

TEST_F (PseudoModalTest, DestroyingAShownDialogOrItsDesktopFirstLeavesNothingDangling)
{
    dialog->show();
    dialog.reset();
    EXPECT_EQ (desktop->getNumChildComponents(), 0);

    dialog = std::make_unique<CountingDialog>();
    desktop->addChildComponent (*dialog);
    dialog->show();
    desktop.reset();
    EXPECT_FALSE (dialog->isAttached());
    dialog->hide();
    dialog->show();   // nothing above it any more: it only becomes visible
    EXPECT_TRUE (dialog->isVisible());
    dialog.reset();
}

//==============================================================================
TEST_F (PseudoModalTest, WindowSizeFollowsTheContentAndTheFrameParts)
{
    dialog->setContentSize (100, 50);
    EXPECT_EQ (dialog->getBounds().getWidth(), 250);    // the minimum
    EXPECT_EQ (dialog->getHeight(), 120);

    dialog->setTopLeftPosition (7, 9);
    dialog->setContentSize (400, 300);
    EXPECT_EQ (dialog->getBounds(), juce::Rectangle<int> (7, 9, 416, 349));
    EXPECT_EQ (dialog->getContentBounds(), juce::Rectangle<int> (8, 41, 400, 300));

    dialog->setTitleBarShown (false);
    dialog->setBorderShown (false);
    dialog->setContentSize (400, 300);
    EXPECT_EQ (dialog->getBounds().getWidth(), 410);
    EXPECT_EQ (dialog->getHeight(), 310);
    EXPECT_EQ (dialog->getContentBounds(), juce::Rectangle<int> (5, 5, 400, 300));
    EXPECT_FALSE (dialog->getCloseButton().isVisible());
}

TEST_F (PseudoModalTest, EachDecorationSideAddsItsStripToSizeAndTakesItFromTheContent)
{
    const struct { int position; bool acrossHeight; } sides[] { { WindowPictures::topDecoration, true },
                                                               { WindowPictures::bottomDecoration, true },
                                                               { WindowPictures::leftDecoration, false },
                                                               { WindowPictures::rightDecoration, false } };

    for (const auto& side : sides)
    {
        SCOPED_TRACE (side.position);
        dialog->setDecorationPosition (side.position);
        const auto& strip = dialog->getDecorationStrip();
        ASSERT_TRUE (strip.isValid());
        const int depth = side.acrossHeight ? strip.getHeight() : strip.getWidth();
        EXPECT_GT (depth, 0);

        dialog->setContentSize (400, 300);
        EXPECT_EQ (dialog->getWidth(), 416 + (side.acrossHeight ? 0 : depth));
        EXPECT_EQ (dialog->getHeight(), 349 + (side.acrossHeight ? depth : 0));
        EXPECT_EQ (dialog->getContentBounds().getWidth(), 400);
        EXPECT_EQ (dialog->getContentBounds().getHeight(), 300);
    }

    dialog->setDecorationPosition (WindowPictures::topDecoration);
    dialog->setContentSize (400, 300);
    EXPECT_EQ (dialog->getContentBounds().getY(), 41 + dialog->getDecorationStrip().getHeight());
}

TEST_F (PseudoModalTest, TheFrameLaysOutItsCloseButtonAndTitleAndTheCloseButtonHides)
{
    dialog->setContentSize (400, 300);
    auto& close = dialog->getCloseButton();
    EXPECT_EQ (close.getName(), "CloseButton");
    const auto picture = DefaultLookAndFeel::of (*desktop)->getCloseButtonImage (false);
    ASSERT_TRUE (picture.isValid());   // taken when the window joined the editor
    EXPECT_EQ (close.getBounds().getWidth(), picture.getWidth());
    EXPECT_EQ (close.getHeight(), picture.getHeight());
    EXPECT_EQ (close.getPosition(), juce::Point<int> (416 - close.getWidth() - 10, 8));
    EXPECT_EQ (dialog->getTitleBarBounds(), juce::Rectangle<int> (8, 8, 400, 28));

    dialog->show();
    close.triggerClick();
    MessageLoop::runUntil ([&] { return ! dialog->isShown(); }, 1000);
    EXPECT_FALSE (dialog->isShown());
}
