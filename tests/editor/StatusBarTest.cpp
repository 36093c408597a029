#include "../MessageLoop.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/editor/StatusBar.h"

#include <gtest/gtest.h>

class StatusBarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setLookAndFeel (&lookAndFeel);
        window.setBounds (0, 0, 300, 16);
        window.addAndMakeVisible (bar);
        bar.setBounds (0, 0, 300, bar.getHeight());
    }

    void TearDown() override
    {
        window.removeChildComponent (&bar);
        window.setLookAndFeel (nullptr);
    }

    DefaultLookAndFeel lookAndFeel;
    juce::Component window;
    StatusBar bar;
};

TEST_F (StatusBarTest, AMessageNeedsANewTextAndNoHigherPriorityShowing)
{
    EXPECT_EQ (bar.getPriority(), 0);

    bar.showMessage ("Default Map settings will be affected when plugin is loaded.", StatusBar::settingsNotePriority);
    EXPECT_EQ (bar.getPriority(), 4);

    bar.showMessage ("FX: 50%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    EXPECT_EQ (bar.getText(), "FX: 50%");      // 6 is above 4: the note does not come back
    EXPECT_EQ (bar.getPriority(), 6);

    bar.showMessage ("Output Volume: 0.0 dB", StatusBar::midiMovedPriority, StatusBar::messageLifetimeMs);
    EXPECT_EQ (bar.getText(), "FX: 50%");      // 5 is below 6

    bar.showMessage ("FX: 60%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    EXPECT_EQ (bar.getText(), "FX: 60%");      // the same priority replaces

    bar.showMessage ("Waiting for a controller or parameter movement...", StatusBar::midiLearnPriority);
    bar.showMessage ("FX: 70%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    EXPECT_EQ (bar.getText(), "Waiting for a controller or parameter movement...");
    EXPECT_EQ (bar.getPriority(), 7);
}

TEST_F (StatusBarTest, TheSameTextChangesNothingNotEvenItsLifetime)
{
    bar.showMessage ("FX: 50%", StatusBar::controlChangePriority);
    bar.showMessage ("FX: 50%", StatusBar::midiLearnPriority, StatusBar::messageLifetimeMs);

    EXPECT_EQ (bar.getPriority(), 6);
    EXPECT_FALSE (bar.isTimerRunning());
}

TEST_F (StatusBarTest, ALifetimeStartsTheTimerAndAMessageWithoutOneStopsIt)
{
    bar.showMessage ("FX: 50%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    EXPECT_TRUE (bar.isTimerRunning());
    EXPECT_EQ (bar.getTimerInterval(), 3000);

    bar.showMessage ("CC# 20 is free. Waiting for a parameter now...", StatusBar::midiLearnPriority);
    EXPECT_FALSE (bar.isTimerRunning());
}

TEST_F (StatusBarTest, WhenTheLifetimeRunsOutTheBarClearsItself)
{
    bar.showMessage ("FX: 50%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    bar.timerCallback();

    EXPECT_EQ (bar.getText(), "");
    EXPECT_EQ (bar.getPriority(), 0);
    EXPECT_FALSE (bar.isTimerRunning());

    // After clearing any priority shows again.
    bar.showMessage ("Output Volume: 0.0 dB", StatusBar::midiMovedPriority);
    EXPECT_EQ (bar.getText(), "Output Volume: 0.0 dB");
}

TEST_F (StatusBarTest, ATimedMessageGoesAwayByItselfInTheMessageLoop)
{
    bar.showMessage ("FX: 50%", StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    EXPECT_TRUE (MessageLoop::runUntil ([this] { return bar.getText().isEmpty(); }, 20000));
    EXPECT_EQ (bar.getPriority(), 0);
}

TEST_F (StatusBarTest, ClearingAnEmptyBarOnlyResetsThePriority)
{
    bar.showMessage ("FX: 50%", StatusBar::midiLearnPriority, StatusBar::messageLifetimeMs);
    bar.clear();
    EXPECT_EQ (bar.getPriority(), 0);

    bar.clear();
    EXPECT_EQ (bar.getText(), "");
    EXPECT_EQ (bar.getPriority(), 0);
}

TEST_F (StatusBarTest, PaintsTheTextInTahomaFivePixelsInOnTheStatusBackground)
{
    EXPECT_EQ (bar.getHeight(), 16);
    EXPECT_EQ (bar.getFont().getTypefaceName(), "Tahoma");
    EXPECT_EQ (bar.getFont().getHeight(), 13.0f);

    bar.showMessage ("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMMM",
                     StatusBar::controlChangePriority);
    const auto picture = bar.createComponentSnapshot (bar.getLocalBounds());

    int leftmostText = -1;
    bool upperHalfLitAtTheRightEdge = false;

    for (int x = 0; x < picture.getWidth(); ++x)
        for (int y = 0; y < picture.getHeight(); ++y)
            if (picture.getPixelAt (x, y).getBrightness() > 0.6f)
            {
                leftmostText = leftmostText < 0 ? x : leftmostText;
                upperHalfLitAtTheRightEdge = upperHalfLitAtTheRightEdge || (x >= picture.getWidth() - 8 && y < 7);
            }

    EXPECT_EQ (picture.getPixelAt (2, 8), juce::Colour (0xff444444));
    EXPECT_GE (leftmostText, 5);
    EXPECT_LE (leftmostText, 7);
    EXPECT_TRUE (upperHalfLitAtTheRightEdge);    // letters cut at the edge, no "..." on the baseline
}
