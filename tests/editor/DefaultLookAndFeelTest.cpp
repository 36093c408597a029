#include "EditorTestSupport.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/editor/StatusBar.h"

TEST (DefaultLookAndFeelTest, TheStatusBarTakesItsHeightOnlyFromTheDefaultLookAndFeel)
{
    DefaultLookAndFeel lookAndFeel;
    juce::LookAndFeel_V4 plain;
    juce::Component editor;

    StatusBar statusBar;
    statusBar.setSize (300, 11);
    editor.addAndMakeVisible (statusBar);
    EXPECT_EQ (statusBar.getHeight(), 11);      // JUCE's own look keeps it

    editor.setLookAndFeel (&lookAndFeel);
    EXPECT_EQ (statusBar.getHeight(), 16);
    EXPECT_EQ (statusBar.getWidth(), 300);

    editor.setLookAndFeel (&plain);
    EXPECT_EQ (statusBar.getHeight(), 16);

    editor.setLookAndFeel (nullptr);
}

TEST (DefaultLookAndFeelTest, ColoursAndMetrics)
{
    DefaultLookAndFeel lookAndFeel;

    EXPECT_EQ (lookAndFeel.findColour (juce::TooltipWindow::textColourId), juce::Colours::black);
    EXPECT_EQ (lookAndFeel.findColour (juce::TooltipWindow::outlineColourId), juce::Colour (0xff444444));
    EXPECT_EQ (lookAndFeel.findColour (juce::Slider::rotarySliderFillColourId), juce::Colour (0xff808080));
    EXPECT_EQ (lookAndFeel.findColour (juce::ScrollBar::thumbColourId), juce::Colour (0xff6e6e6e));
    EXPECT_EQ (lookAndFeel.findColour (DefaultLookAndFeel::statusBarBackgroundColourId), juce::Colour (0xff444444));
    EXPECT_EQ (lookAndFeel.findColour (DefaultLookAndFeel::statusBarTextColourId), juce::Colours::white);
    EXPECT_EQ (lookAndFeel.findColour (DefaultLookAndFeel::firstListPaletteColourId + 7), juce::Colour (0xff5b5b5b));
    EXPECT_EQ (lookAndFeel.findColour (DefaultLookAndFeel::firstKeyboardColourId + 3), juce::Colour (0xffb2b2b2));
    EXPECT_EQ (lookAndFeel.findColour (DefaultLookAndFeel::basicColour3Id), juce::Colour (0xffffff00));

    EXPECT_EQ (lookAndFeel.getTabBarDepth(), 23);
    EXPECT_EQ (lookAndFeel.getTabButtonOverlap (23), 4);
    EXPECT_EQ (lookAndFeel.getTabButtonSpaceAroundImage(), 1);
    EXPECT_EQ (lookAndFeel.getWindowContentInsets(), juce::BorderSize<int> (18, 8, 8, 8));
    EXPECT_EQ (lookAndFeel.getStatusBarFont().getHeight(), 13.0f);
    EXPECT_EQ (lookAndFeel.getStatusBarFont().getTypefaceName(), "Tahoma");

    for (bool on : { false, true })
    {
        EXPECT_TRUE (lookAndFeel.getCheckBoxImage (on).isValid());
        EXPECT_TRUE (lookAndFeel.getRadioButtonImage (on).isValid());
    }

    EXPECT_NE (lookAndFeel.getCheckBoxImage (true).getPixelAt (5, 8), lookAndFeel.getCheckBoxImage (false).getPixelAt (5, 8));
    EXPECT_TRUE (lookAndFeel.getTextButtonPictures (0).isComplete());
    EXPECT_TRUE (lookAndFeel.getTextButtonPictures (1).isComplete());
    EXPECT_FALSE (lookAndFeel.getArrow (1).isEmpty());
    EXPECT_NE (lookAndFeel.getArrow (0).getBounds(), lookAndFeel.getArrow (1).getBounds());
}

TEST (DefaultLookAndFeelTest, EveryFontResolvesToTheEmbeddedTahoma)
{
    DefaultLookAndFeel lookAndFeel;

    for (const auto& font : { juce::Font (13.0f), juce::Font ("Arial", 20.0f, juce::Font::plain),
                              juce::Font (juce::Font::getDefaultMonospacedFontName(), 12.0f, juce::Font::plain) })
        EXPECT_EQ (font.getTypefacePtr()->getName(), "Tahoma") << font.getTypefaceName();

    EXPECT_EQ (juce::Font (13.0f, juce::Font::bold).getTypefacePtr()->getStyle(), "Bold");
    EXPECT_EQ (lookAndFeel.getTypefaceForFont (juce::Font (10.0f)), juce::Font (13.0f).getTypefacePtr());
}

TEST (DefaultLookAndFeelTest, ATooltipShowsBlackTextWithADarkOutline)
{
    DefaultLookAndFeel lookAndFeel;
    juce::Image image (juce::Image::ARGB, 120, 24, true);
    juce::Graphics g (image);
    lookAndFeel.drawTooltip (g, "Options", 120, 24);

    EXPECT_EQ (image.getPixelAt (0, 12), juce::Colour (0xff444444));

    bool blackText = false;

    for (int x = 1; x < 119; ++x)
        for (int y = 1; y < 23; ++y)
            blackText = blackText || image.getPixelAt (x, y) == juce::Colours::black;

    EXPECT_TRUE (blackText);
}
