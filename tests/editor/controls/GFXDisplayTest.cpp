#include "../EditorTestSupport.h"

#include "framework/editor/controls/GFXAnimation.h"
#include "framework/editor/controls/GFXDisplayFloat.h"

using namespace EditorTesting;

namespace
{
    struct DisplayRecorder : GFXDisplayListener
    {
        std::vector<juce::String> texts;
        void displayTextChanged (GFXDisplay* display) override { texts.push_back (display->getText()); }
    };

    juce::KeyPress key (int code)                  { return juce::KeyPress (code); }
    juce::KeyPress character (juce::juce_wchar c)  { return juce::KeyPress ((int) c, juce::ModifierKeys(), c); }

    // The product's font: 7 x 1728 pixels, 9 pixels high, characters 32 to 127.
    constexpr int glyphWidth = 7, fontHeight = 9, glyphs = 96;
}

class DisplayTest : public ControlFixture
{
protected:
    void SetUp() override
    {
        ignoreXErrorsLikeAnApplication();
        display = make<GFXDisplay> (R"(<Display name="PresetNameDisplay" caretColour="FF00FF00"
                                          BackgroundColour="FF102030"><gfx resource="missing.png" fontHeight="9" firstASCII=" "/>
                                          <pos left="40" top="6"/><size width="153" height="13"/></Display>)");
        ASSERT_NE (display, nullptr);
        display->setFont (makeBitmapFont (glyphWidth, fontHeight, glyphs), fontHeight, ' ');
        display->addDisplayListener (&listener);
        editorArea.setBounds (0, 0, 300, 100);
        editorArea.addAndMakeVisible (*display);
    }

    void TearDown() override
    {
        display.reset();
    }

    void type (const juce::String& text)
    {
        for (auto c : text)
            display->keyPressed (character (c));
    }

    void startEditing()
    {
        display->focusGained (juce::Component::focusChangedByMouseClick);
    }

    juce::Component editorArea;
    std::unique_ptr<GFXDisplay> display;
    DisplayRecorder listener;
};

TEST_F (DisplayTest, ReadsItsSkinElement)
{
    EXPECT_EQ (display->getText(), "PresetNameDisplay");
    EXPECT_EQ (display->findColour (GFXDisplay::backgroundColourId), juce::Colour (0xff102030));
    EXPECT_EQ (display->findColour (GFXDisplay::caretColourId), juce::Colour (0xff00ff00));
    EXPECT_EQ (display->getBounds(), juce::Rectangle<int> (40, 6, 153, 13));
    EXPECT_TRUE (display->isEnabled());
    EXPECT_EQ (display->getFirstCharacter(), (juce::juce_wchar) 32);
    EXPECT_EQ (display->getLastCharacter(), (juce::juce_wchar) 127);
    EXPECT_EQ (display->getNumColumns(), 21);
    EXPECT_EQ (display->getLeftMargin(), 3);

    auto readOnly = make<GFXDisplay> (R"(<Display name="r" readonly="yes"/>)");
    EXPECT_FALSE (readOnly->isEnabled());
}

TEST_F (DisplayTest, DrawsEachCharacterWithItsGlyphAndClampsUnknownCharacters)
{
    display->setText (juce::String ("A~") + juce::String::charToString (0x2603) + "\t");
    const auto snapshot = display->createComponentSnapshot (display->getLocalBounds());
    const auto glyphAt = [&snapshot] (int column) { return (int) snapshot.getPixelAt (3 + column * glyphWidth + 3, 6).getRed() - 1; };

    EXPECT_EQ (glyphAt (0), 'A' - 32);
    EXPECT_EQ (glyphAt (1), '~' - 32);
    EXPECT_EQ (glyphAt (2), 95);       // above the last glyph: the last glyph
    EXPECT_EQ (glyphAt (3), 0);        // below the first glyph: the first glyph
    EXPECT_EQ (glyphAt (20), 0);       // past the text: a space
    EXPECT_EQ (snapshot.getPixelAt (1, 6), juce::Colour (0xff102030));   // the margin shows the background
}

TEST_F (DisplayTest, WithoutFontHeightEveryCharacterIsTheFirstGlyph)
{
    display->setFont ({}, 0, ' ');
    EXPECT_EQ (display->getLastCharacter(), (juce::juce_wchar) ' ');
    EXPECT_EQ (display->getGlyphIndex ('Z'), 0);
}

TEST_F (DisplayTest, EditingMovesTheDisplayToTheDesktopAndBack)
{
    startEditing();
    EXPECT_TRUE (display->isEditing());
    EXPECT_TRUE (display->isOnDesktop());
    EXPECT_EQ (display->getParentComponent(), nullptr);

    display->keyPressed (key (juce::KeyPress::returnKey));
    EXPECT_FALSE (display->isEditing());
    EXPECT_FALSE (display->isOnDesktop());
    EXPECT_EQ (display->getParentComponent(), &editorArea);
    EXPECT_EQ (display->getBounds(), juce::Rectangle<int> (40, 6, 153, 13));
    EXPECT_TRUE (listener.texts.empty());   // nothing changed
}

TEST_F (DisplayTest, KeysEditTheTextAndEnterTellsEachListenerOnce)
{
    DisplayRecorder second;
    display->addDisplayListener (&second);
    display->setText ("Chorus");
    startEditing();
    EXPECT_EQ (display->getCaretPosition(), 6);

    display->keyPressed (key (juce::KeyPress::backspaceKey));               // "Choru"
    display->keyPressed (key (juce::KeyPress::homeKey));
    display->keyPressed (key (juce::KeyPress::deleteKey));                  // "horu"
    type ("W");                                                             // "Whoru"
    display->keyPressed (key (juce::KeyPress::rightKey));
    display->keyPressed (key (juce::KeyPress::rightKey));
    display->keyPressed (key (juce::KeyPress::leftKey));
    type ("-");                                                             // "Wh-oru"
    display->keyPressed (key (juce::KeyPress::endKey));
    type ("s");
    display->keyPressed (character (0xe9));                                 // past the last glyph
    display->keyPressed (character (0x1f));                                 // below the first glyph
    EXPECT_EQ (display->getText(), "Wh-orus");
    EXPECT_EQ (display->getCaretPosition(), 7);

    display->keyPressed (key (juce::KeyPress::returnKey));
    EXPECT_EQ (listener.texts, std::vector<juce::String> { "Wh-orus" });
    EXPECT_EQ (second.texts, std::vector<juce::String> { "Wh-orus" });
}

TEST_F (DisplayTest, TheCaretStaysInsideTheText)
{
    display->setText ("ab");
    startEditing();
    display->keyPressed (key (juce::KeyPress::rightKey));
    EXPECT_EQ (display->getCaretPosition(), 2);
    display->keyPressed (key (juce::KeyPress::deleteKey));
    display->keyPressed (key (juce::KeyPress::homeKey));
    display->keyPressed (key (juce::KeyPress::leftKey));
    display->keyPressed (key (juce::KeyPress::backspaceKey));
    EXPECT_EQ (display->getCaretPosition(), 0);
    EXPECT_EQ (display->getText(), "ab");
}

TEST_F (DisplayTest, EscapeRestoresTheTextAndTellsNobody)
{
    display->setText ("Warm");
    startEditing();
    type ("er");
    EXPECT_EQ (display->getText(), "Warmer");

    EXPECT_TRUE (display->keyPressed (key (juce::KeyPress::escapeKey)));
    EXPECT_EQ (display->getText(), "Warm");
    EXPECT_FALSE (display->isEditing());
    EXPECT_TRUE (listener.texts.empty());
}

TEST_F (DisplayTest, LosingFocusEndsTheEditLikeEnter)
{
    display->setText ("Wide");
    startEditing();
    type ("r");
    display->focusLost (juce::Component::focusChangedByMouseClick);
    EXPECT_FALSE (display->isEditing());
    EXPECT_EQ (display->getParentComponent(), &editorArea);
    EXPECT_EQ (listener.texts, std::vector<juce::String> { "Wider" });
}

TEST_F (DisplayTest, KeysAreIgnoredWhenNotEditing)
{
    display->setText ("x");
    EXPECT_FALSE (display->keyPressed (character ('y')));
    EXPECT_EQ (display->getText(), "x");
}

TEST_F (DisplayTest, ALongNameScrollsOnlyWhileEditingToKeepTheCaretVisible)
{
    const juce::String name ("A thirty character preset name");
    ASSERT_EQ (name.length(), 30);
    display->setText (name);
    EXPECT_EQ (display->getScrollOffset(), 0);

    startEditing();
    EXPECT_EQ (display->getCaretPosition(), 30);
    EXPECT_EQ (display->getScrollOffset(), 10);      // 21 columns end with the caret cell

    display->keyPressed (key (juce::KeyPress::leftKey));
    EXPECT_EQ (display->getScrollOffset(), 10);

    display->keyPressed (key (juce::KeyPress::homeKey));
    EXPECT_EQ (display->getScrollOffset(), 0);

    for (int i = 0; i < 19; ++i)
        display->keyPressed (key (juce::KeyPress::rightKey));

    EXPECT_EQ (display->getScrollOffset(), 0);
    display->keyPressed (key (juce::KeyPress::rightKey));    // caret 20: one character stays after it
    EXPECT_EQ (display->getScrollOffset(), 1);
    display->keyPressed (key (juce::KeyPress::rightKey));
    EXPECT_EQ (display->getScrollOffset(), 2);

    display->keyPressed (key (juce::KeyPress::endKey));
    EXPECT_EQ (display->getScrollOffset(), 10);

    for (int i = 0; i < 21; ++i)
        display->keyPressed (key (juce::KeyPress::leftKey));  // caret 9: one character stays before it

    EXPECT_EQ (display->getScrollOffset(), 8);

    display->keyPressed (key (juce::KeyPress::returnKey));
    EXPECT_EQ (display->getScrollOffset(), 0);
}

TEST_F (DisplayTest, FollowsAStringParameter)
{
    parameters.addParameter (std::make_unique<StringParameter> (110001, "Current Preset Name", "Init"));
    auto bound = make<GFXDisplay> (R"(<Display name="n"><links><link as="connectedTo" param="Current Preset Name"/></links></Display>)");
    ASSERT_NE (bound, nullptr);
    EXPECT_EQ (bound->getText(), "n");

    parameters.setCurrentPresetName ("Lush");
    pumpMessages();
    EXPECT_EQ (bound->getText(), "Lush");
}

//==============================================================================
class DisplayFloatTest : public ControlFixture {};

TEST_F (DisplayFloatTest, FourGlyphsWideKeepsNoTrailingDecimalPointInView)
{
    auto display = make<GFXDisplayFloat> (R"(<DisplayFloat name="f"><links><link as="connectedTo" param="Level"/></links>
                                               <size width="28" height="9"/></DisplayFloat>)");
    ASSERT_NE (display, nullptr);
    display->setFont (makeBitmapFont (7, 9, 96), 9, ' ');
    ASSERT_EQ (display->getNumColumns(), 4);

    const std::pair<float, const char*> expected[] = { { 0.25f, "0.25" }, { 1.5f, "1.5" }, { 100.5f, " 100.5" }, { 12.0f, "12" } };

    for (auto [value, text] : expected)
    {
        level->setValue (value, true);
        pumpMessages();
        EXPECT_EQ (display->getText(), text) << value;
    }
}

//==============================================================================
class AnimationTest : public ControlFixture {};

TEST_F (AnimationTest, ShowsTheFrameOfItsParameterOrOfAValueSetDirectly)
{
    auto meter = make<GFXAnimation> (R"(<Animation name="LeftVUMeter"><pos left="3" top="4"/></Animation>)");
    ASSERT_NE (meter, nullptr);
    meter->setFilmstrip (makeFilmstrip (20, 10, 12), 12);
    EXPECT_EQ (meter->getBounds(), juce::Rectangle<int> (3, 4, 20, 10));

    meter->setFromNormalisedValue (0.5f);
    EXPECT_EQ (meter->getCurrentFrame(), 6);
    EXPECT_EQ (meter->createComponentSnapshot (meter->getLocalBounds()).getPixelAt (10, 5).getRed(), 6);

    meter->setFromNormalisedValue (3.0f);
    EXPECT_EQ (meter->getCurrentFrame(), 11);

    auto led = make<GFXAnimation> (R"(<Animation name="LFO2SyncStateLed"><links><link as="connectedTo" param="BBD"/></links></Animation>)");
    led->setFilmstrip (makeFilmstrip (8, 8, 2), 2);
    bbd->setBoolValue (true, true);
    pumpMessages();
    EXPECT_EQ (led->getCurrentFrame(), 1);
}

TEST_F (AnimationTest, WithoutPictureItDrawsAPlaceholderAtTheSkinSize)
{
    auto meter = make<GFXAnimation> (R"(<Animation name="m"><gfx resource="none.png" framesNum="12"/><size width="30" height="30"/></Animation>)");
    ASSERT_NE (meter, nullptr);
    meter->setFromNormalisedValue (1.0f);
    const auto snapshot = meter->createComponentSnapshot (meter->getLocalBounds());
    EXPECT_EQ (snapshot.getPixelAt (15, 15), juce::Colours::black);     // the dot
    EXPECT_EQ (snapshot.getPixelAt (7, 15), juce::Colours::black);      // the square's outline
}
