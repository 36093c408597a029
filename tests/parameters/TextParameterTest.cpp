#include "framework/parameters/Parameter.h"

#include <gtest/gtest.h>

#include <limits>

//==============================================================================
TEST (EnumParameter, ItemsArePiecesBeforeEachSemicolonPlusANonEmptyRest)
{
    EXPECT_EQ (EnumParameter::parseItems ("Sine;Square;"), juce::StringArray ("Sine", "Square"));
    EXPECT_EQ (EnumParameter::parseItems ("Sine;Square"), juce::StringArray ("Sine", "Square"));
    EXPECT_EQ (EnumParameter::parseItems ("Sine;;Square"), juce::StringArray ("Sine", "", "Square"));
    EXPECT_EQ (EnumParameter::parseItems ("a;b;;"), juce::StringArray ("a", "b", ""));
    EXPECT_EQ (EnumParameter::parseItems (";"), juce::StringArray (""));
    EXPECT_EQ (EnumParameter::parseItems (";a"), juce::StringArray ("", "a"));
    EXPECT_EQ (EnumParameter::parseItems ("single"), juce::StringArray ("single"));
    EXPECT_TRUE (EnumParameter::parseItems ("").isEmpty());
    EXPECT_EQ (EnumParameter::parseItems (" a ; b "), juce::StringArray (" a ", " b ")); // kept as written
}

TEST (EnumParameter, RangeFollowsTheItemsAndTheDefaultTextSetsTheValue)
{
    EnumParameter p (4, "Waveform", "Sine;Triangle;Square;", "Square");

    EXPECT_EQ (p.getItems().size(), 3);
    EXPECT_EQ (p.getMinimum(), 0);
    EXPECT_EQ (p.getMaximum(), 2);
    EXPECT_EQ (p.getIntValue(), 2);
    EXPECT_EQ (p.getText(), "Square");
    EXPECT_EQ (p.getItemSpecification(), "Sine;Triangle;Square;");
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f);
}

TEST (EnumParameter, DefaultThatIsNoItemIsReadAsANormalisedNumber)
{
    EXPECT_EQ (EnumParameter (0, "x", "a;b;c", "0.5").getIntValue(), 1);
    EXPECT_EQ (EnumParameter (0, "x", "a;b;c", "1").getIntValue(), 2);
    EXPECT_EQ (EnumParameter (0, "x", "a;b;c", "nothing").getIntValue(), 0);
    EXPECT_EQ (EnumParameter (0, "x", "a;b;c", "").getIntValue(), 0);
}

TEST (EnumParameter, TextPicksTheFirstEqualItemCaseSensitively)
{
    EnumParameter p (0, "x", "a;B;b;B", "a");

    p.setText ("B", false);
    EXPECT_EQ (p.getIntValue(), 1);
    p.setText ("b", false);
    EXPECT_EQ (p.getIntValue(), 2);

    p.setText ("A", false); // no such item: read as the number 0
    EXPECT_EQ (p.getIntValue(), 0);
}

TEST (EnumParameter, EmptyItemIsSelectable)
{
    EnumParameter p (0, "x", "Off;;On", "On");

    ASSERT_EQ (p.getItems().size(), 3);
    p.setText ("", false);
    EXPECT_EQ (p.getIntValue(), 1);
    EXPECT_EQ (p.getText(), "");
}

TEST (EnumParameter, WithoutItemsItHasOneValueAndNoText)
{
    EnumParameter p (0, "x", "", "anything");

    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_EQ (p.getText(), "");
    p.setNormalisedValue (1.0f, false);
    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_EQ (p.getText(), "");
}

TEST (EnumParameter, NumericSettersStayWithinTheItems)
{
    EnumParameter p (0, "x", "a;b;c;d", "a");

    p.setIntValue (99, false);
    EXPECT_EQ (p.getText(), "d");
    p.setIntValue (-1, false);
    EXPECT_EQ (p.getText(), "a");
    p.setNormalisedValue (0.4f, false);
    EXPECT_EQ (p.getText(), "b");
    p.setBoolValue (true, false);
    EXPECT_EQ (p.getText(), "d");
}

//==============================================================================
TEST (NoteParameter, NoteNames)
{
    EXPECT_EQ (NoteParameter::noteName (0), "C-0");
    EXPECT_EQ (NoteParameter::noteName (1), "C#0");
    EXPECT_EQ (NoteParameter::noteName (11), "B-0");
    EXPECT_EQ (NoteParameter::noteName (49), "C#4");
    EXPECT_EQ (NoteParameter::noteName (60), "C-5");
    EXPECT_EQ (NoteParameter::noteName (119), "B-9");
    EXPECT_EQ (NoteParameter::noteName (120), "C-X");
    EXPECT_EQ (NoteParameter::noteName (127), "G-X");
    EXPECT_EQ (NoteParameter::noteName (128), "");
    EXPECT_EQ (NoteParameter::noteName (-1), "");
}

TEST (NoteParameter, EveryNoteNameReadsBack)
{
    NoteParameter p (0, "Note");

    for (int note = 0; note < 128; ++note)
    {
        p.setIntValue (note, false);
        const auto text = p.getText();
        ASSERT_EQ (text.length(), 3) << note;

        NoteParameter reader (1, "Reader", note == 0 ? 127 : 0);
        reader.setText (text, false);
        EXPECT_EQ (reader.getIntValue(), note) << text;
    }
}

TEST (NoteParameter, SharpOfEAndBIsTheNaturalNote)
{
    EXPECT_EQ (NoteParameter::parseNoteName ("E#4"), 52);
    EXPECT_EQ (NoteParameter::parseNoteName ("E-4"), 52);
    EXPECT_EQ (NoteParameter::parseNoteName ("B#4"), 59);
    EXPECT_EQ (NoteParameter::parseNoteName ("B-4"), 59);
    EXPECT_EQ (NoteParameter::parseNoteName ("F#4"), 54);
}

TEST (NoteParameter, OctaveTenClampsTo127)
{
    EXPECT_EQ (NoteParameter::parseNoteName ("C-X"), 120);
    EXPECT_EQ (NoteParameter::parseNoteName ("G-X"), 127);
    EXPECT_EQ (NoteParameter::parseNoteName ("G#X"), 127);
    EXPECT_EQ (NoteParameter::parseNoteName ("B-X"), 127);
}

TEST (NoteParameter, OtherTextsAreNoNoteNames)
{
    for (auto* text : { "", "C4", "C-10", "c-4", "H-4", "C+4", "C-x", "C-A", "C#", " C-4", "C-4 ", "Cb4" })
        EXPECT_EQ (NoteParameter::parseNoteName (text), -1) << "'" << text << "'";
}

TEST (NoteParameter, TextThatIsNoNoteNameIsANormalisedNumber)
{
    NoteParameter p (0, "Note", 60);

    p.setText ("0.5", false);
    EXPECT_EQ (p.getIntValue(), 64);
    p.setText ("1", false);
    EXPECT_EQ (p.getIntValue(), 127);
    p.setText ("c-4", false);
    EXPECT_EQ (p.getIntValue(), 0);
    p.setText ("D#2", false);
    EXPECT_EQ (p.getIntValue(), 27);
}

TEST (NoteParameter, RangeIsTheMidiNotes)
{
    NoteParameter p (0, "Note", 500);

    EXPECT_EQ (p.getIntValue(), 127);
    EXPECT_EQ (p.getMinimum(), 0);
    EXPECT_EQ (p.getMaximum(), 127);
    p.setIntValue (-4, false);
    EXPECT_EQ (p.getText(), "C-0");
}

//==============================================================================
TEST (StringParameter, NumericReadings)
{
    StringParameter p (0, "Name", "2.5");

    EXPECT_FLOAT_EQ (p.getValue(), 2.5f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f);
    EXPECT_EQ (p.getIntValue(), 2);

    p.setText ("0.3", false);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.3f);
    p.setText ("-1", false);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.0f);
    p.setText ("42abc", false);
    EXPECT_EQ (p.getIntValue(), 42);
    EXPECT_FLOAT_EQ (p.getValue(), 42.0f);
    p.setText ("  -7", false);
    EXPECT_EQ (p.getIntValue(), -7);
    p.setText ("99999999999999", false);
    EXPECT_EQ (p.getIntValue(), std::numeric_limits<int>::max());
    p.setText ("My preset", false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_EQ (p.getText(), "My preset");
}

TEST (StringParameter, NaNTextReadsAsNoNumber)
{
    StringParameter p (0, "Name", "nan");

    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.0f);
}

TEST (StringParameter, NumbersAreStoredAsTheirText)
{
    StringParameter p (0, "Name");

    p.setValue (2.5f, false);
    EXPECT_EQ (p.getText(), "2.5");
    p.setValue (0.1f, false);
    EXPECT_EQ (p.getText(), "0.100000001");
    p.setNormalisedValue (7.0f, false); // the number itself, not clamped
    EXPECT_EQ (p.getText(), "7");
    p.setValue (1.0e20f, false);
    EXPECT_EQ (p.getText(), "1.00000002e+20");
    p.setIntValue (-3, false);
    EXPECT_EQ (p.getText(), "-3");
}

TEST (StringParameter, BoolTextsReadBack)
{
    StringParameter p (0, "Name");

    p.setBoolValue (true, false);
    EXPECT_EQ (p.getText(), "true");
    EXPECT_TRUE (p.getBoolValue());
    p.setBoolValue (false, false);
    EXPECT_EQ (p.getText(), "false");
    EXPECT_FALSE (p.getBoolValue());
}

TEST (StringParameter, FromParameterCopiesTheText)
{
    StringParameter p (0, "Name");
    BoolParameter state (1, "State", 1, true);

    p.setFromParameter (state, false);
    EXPECT_EQ (p.getText(), "on");

    EnumParameter wave (2, "Wave", "Sine;Square", "Square");
    p.setFromParameter (wave, false);
    EXPECT_EQ (p.getText(), "Square");
}
