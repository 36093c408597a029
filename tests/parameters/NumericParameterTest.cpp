#include "framework/parameters/Parameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
    constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
}

//==============================================================================
TEST (FloatParameter, ReadsValueInEveryForm)
{
    FloatParameter p (7, "Gain", -10.0f, 10.0f, 5.0f);

    EXPECT_FLOAT_EQ (p.getValue(), 5.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.75f);
    EXPECT_EQ (p.getIntValue(), 5);
    EXPECT_TRUE (p.getBoolValue());
    EXPECT_EQ (p.getText(), "5.000000000");
}

TEST (FloatParameter, IntValueTruncatesTowardZero)
{
    FloatParameter p (0, "x", -10.0f, 10.0f);

    p.setValue (2.7f, false);
    EXPECT_EQ (p.getIntValue(), 2);
    p.setValue (-2.7f, false);
    EXPECT_EQ (p.getIntValue(), -2);
}

TEST (FloatParameter, IntValueOfAHugeRangeSaturates)
{
    FloatParameter p (0, "x", -1.0e30f, 1.0e30f);

    p.setValue (1.0e30f, false);
    EXPECT_EQ (p.getIntValue(), std::numeric_limits<int>::max());
    p.setValue (-1.0e30f, false);
    EXPECT_EQ (p.getIntValue(), std::numeric_limits<int>::min());
}

TEST (FloatParameter, BoolIsTheUpperHalfWithTheMidpointIncluded)
{
    FloatParameter p (0, "x", -10.0f, 10.0f);

    p.setValue (0.0f, false);
    EXPECT_TRUE (p.getBoolValue());
    p.setValue (-0.001f, false);
    EXPECT_FALSE (p.getBoolValue());
    p.setValue (-10.0f, false);
    EXPECT_FALSE (p.getBoolValue());
}

TEST (FloatParameter, TextHasNineDecimalPlaces)
{
    FloatParameter p (0, "x");

    p.setValue (0.25f, false);
    EXPECT_EQ (p.getText(), "0.250000000");
    p.setValue (0.5f, false);
    EXPECT_EQ (p.getText(), "0.500000000");
    p.setValue (0.1f, false);
    EXPECT_EQ (p.getText(), "0.100000001"); // the float nearest to 0.1, not a rounded text

    FloatParameter negative (0, "y", -100.0f, 0.0f, -3.0f);
    EXPECT_EQ (negative.getText(), "-3.000000000");
}

TEST (FloatParameter, SetValueClampsToTheRange)
{
    FloatParameter p (0, "x", 0.2f, 0.8f, 0.5f);

    p.setValue (5.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.8f);
    p.setValue (-5.0f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.2f);
    p.setValue (infinity, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.8f);
    p.setValue (-infinity, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.2f);
}

TEST (FloatParameter, SetValueWithNaNChangesNothing)
{
    FloatParameter p (0, "x", 0.0f, 1.0f, 0.3f);

    p.setValue (notANumber, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.3f);
}

TEST (FloatParameter, ConstructorClampsAndRefusesNaN)
{
    EXPECT_FLOAT_EQ (FloatParameter (0, "x", 0.0f, 1.0f, 3.0f).getValue(), 1.0f);
    EXPECT_FLOAT_EQ (FloatParameter (0, "x", 0.5f, 1.0f, notANumber).getValue(), 0.5f);
}

TEST (FloatParameter, NormalisedValueMapsOntoTheRange)
{
    FloatParameter p (0, "x", -10.0f, 10.0f);

    p.setNormalisedValue (0.25f, false);
    EXPECT_FLOAT_EQ (p.getValue(), -5.0f);
    p.setNormalisedValue (1.7f, false);
    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);
    p.setNormalisedValue (-0.5f, false);
    EXPECT_FLOAT_EQ (p.getValue(), -10.0f);
    p.setNormalisedValue (infinity, false);
    EXPECT_FLOAT_EQ (p.getValue(), 10.0f);

    p.setNormalisedValue (notANumber, false);
    EXPECT_FLOAT_EQ (p.getValue(), -10.0f);
    EXPECT_FALSE (std::isnan (p.getNormalisedValue()));
}

TEST (FloatParameter, IntAndBoolSetters)
{
    FloatParameter p (0, "x", -2.5f, 2.5f);

    p.setIntValue (2, false);
    EXPECT_FLOAT_EQ (p.getValue(), 2.0f);
    p.setIntValue (100, false);
    EXPECT_FLOAT_EQ (p.getValue(), 2.5f);
    p.setIntValue (std::numeric_limits<int>::min(), false);
    EXPECT_FLOAT_EQ (p.getValue(), -2.5f);

    p.setBoolValue (true, false);
    EXPECT_FLOAT_EQ (p.getValue(), 2.5f);
    p.setBoolValue (false, false);
    EXPECT_FLOAT_EQ (p.getValue(), -2.5f);
}

TEST (FloatParameter, TextIsReadAsADecimalNumberAndClamped)
{
    FloatParameter p (0, "x", 0.2f, 1.0f, 0.5f);

    p.setText ("0.75", false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.75f);
    p.setText ("  0.3", false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.3f);
    p.setText ("7", false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.0f);
    p.setText ("1e999", false);
    EXPECT_GE (p.getValue(), 0.2f);
    EXPECT_LE (p.getValue(), 1.0f);
}

TEST (FloatParameter, UnreadableTextGivesZeroThenClamped)
{
    for (auto* text : { "abc", "", "nan", "NaN", "-nan", "inf", "-Infinity" })
    {
        FloatParameter p (0, "x", 0.2f, 1.0f, 0.5f);
        p.setText (text, false);
        EXPECT_FLOAT_EQ (p.getValue(), 0.2f) << "text: " << text;

        FloatParameter wide (0, "y", -1.0f, 1.0f, 0.5f);
        wide.setText (text, false);
        EXPECT_FLOAT_EQ (wide.getValue(), 0.0f) << "text: " << text;
    }
}

TEST (FloatParameter, FromParameterTakesTheRealValueClamped)
{
    FloatParameter p (0, "x", 0.0f, 1.0f);
    IntParameter source (1, "i", 0, 10, 3);

    p.setFromParameter (source, false);
    EXPECT_FLOAT_EQ (p.getValue(), 1.0f);

    FloatParameter half (2, "f", -1.0f, 1.0f, 0.25f);
    p.setFromParameter (half, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.25f);
}

//==============================================================================
TEST (IntParameter, ReadsValueInEveryForm)
{
    IntParameter p (3, "Steps", -5, 5, 0);

    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.5f);
    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_TRUE (p.getBoolValue());
    EXPECT_EQ (p.getText(), "0");

    p.setIntValue (-5, false);
    EXPECT_FALSE (p.getBoolValue()); // only the minimum reads as false
    EXPECT_EQ (p.getText(), "-5");
}

TEST (IntParameter, NormalisedValueRoundsToTheNearestStep)
{
    IntParameter p (0, "x", 0, 3);

    p.setNormalisedValue (0.5f, false);
    EXPECT_EQ (p.getIntValue(), 2);
    p.setNormalisedValue (0.49f, false);
    EXPECT_EQ (p.getIntValue(), 1);
    p.setNormalisedValue (1.7f, false);
    EXPECT_EQ (p.getIntValue(), 3);
    p.setNormalisedValue (notANumber, false);
    EXPECT_EQ (p.getIntValue(), 0);
    p.setNormalisedValue (infinity, false);
    EXPECT_EQ (p.getIntValue(), 3);

    IntParameter offset (0, "y", 10, 14);
    offset.setNormalisedValue (0.5f, false);
    EXPECT_EQ (offset.getIntValue(), 12);
}

TEST (IntParameter, NormalisedValueOverTheWholeIntegerRange)
{
    IntParameter p (0, "x", std::numeric_limits<int>::min(), std::numeric_limits<int>::max());

    p.setNormalisedValue (1.0f, false);
    EXPECT_EQ (p.getIntValue(), std::numeric_limits<int>::max());
    p.setNormalisedValue (0.0f, false);
    EXPECT_EQ (p.getIntValue(), std::numeric_limits<int>::min());
}

TEST (IntParameter, SetValueTruncatesTowardZeroThenClamps)
{
    IntParameter p (0, "x", -5, 5);

    p.setValue (2.9f, false);
    EXPECT_EQ (p.getIntValue(), 2);
    p.setValue (-2.9f, false);
    EXPECT_EQ (p.getIntValue(), -2);
    p.setValue (1.0e30f, false);
    EXPECT_EQ (p.getIntValue(), 5);
    p.setValue (-infinity, false);
    EXPECT_EQ (p.getIntValue(), -5);
}

TEST (IntParameter, IntBoolAndParameterSetters)
{
    IntParameter p (0, "x", 2, 9, 4);

    p.setIntValue (100, false);
    EXPECT_EQ (p.getIntValue(), 9);
    p.setIntValue (-100, false);
    EXPECT_EQ (p.getIntValue(), 2);

    p.setBoolValue (true, false);
    EXPECT_EQ (p.getIntValue(), 9);
    p.setBoolValue (false, false);
    EXPECT_EQ (p.getIntValue(), 2);

    FloatParameter source (1, "f", -10.0f, 10.0f, 6.8f);
    p.setFromParameter (source, false);
    EXPECT_EQ (p.getIntValue(), 6);
}

TEST (IntParameter, TextGivesItsLeadingInteger)
{
    IntParameter p (0, "x", -10, 10, 1);

    p.setText ("7", false);
    EXPECT_EQ (p.getIntValue(), 7);
    p.setText ("  -3 apples", false);
    EXPECT_EQ (p.getIntValue(), -3);
    p.setText ("+4", false);
    EXPECT_EQ (p.getIntValue(), 4);
    p.setText ("3.9", false);
    EXPECT_EQ (p.getIntValue(), 3);
    p.setText ("42abc", false);
    EXPECT_EQ (p.getIntValue(), 10);
    p.setText ("99999999999999999999999", false);
    EXPECT_EQ (p.getIntValue(), 10);
    p.setText ("-99999999999999999999999", false);
    EXPECT_EQ (p.getIntValue(), -10);
    p.setText ("abc", false);
    EXPECT_EQ (p.getIntValue(), 0);
    p.setText ("", false);
    EXPECT_EQ (p.getIntValue(), 0);

    IntParameter aboveZero (1, "y", 3, 8, 5);
    aboveZero.setText ("x", false);
    EXPECT_EQ (aboveZero.getIntValue(), 3);
}

//==============================================================================
TEST (BoolParameter, ReadsValueInEveryForm)
{
    BoolParameter p (0, "x", 0, true);

    EXPECT_FLOAT_EQ (p.getValue(), 1.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 1.0f);
    EXPECT_EQ (p.getIntValue(), 1);
    EXPECT_TRUE (p.getBoolValue());

    p.setBoolValue (false, false);
    EXPECT_FLOAT_EQ (p.getValue(), 0.0f);
    EXPECT_FLOAT_EQ (p.getNormalisedValue(), 0.0f);
    EXPECT_EQ (p.getIntValue(), 0);
    EXPECT_FALSE (p.getBoolValue());
}

TEST (BoolParameter, TextByStyle)
{
    struct Case { int style; const char* on; const char* off; };

    for (const auto& c : { Case { 0, "true", "false" }, Case { 1, "on", "off" }, Case { 2, "1", "0" },
                           Case { 3, "yes", "no" }, Case { 4, "true", "false" }, Case { -1, "true", "false" } })
    {
        BoolParameter p (0, "x", c.style, true);
        EXPECT_EQ (p.getText(), c.on) << "style " << c.style;
        p.setBoolValue (false, false);
        EXPECT_EQ (p.getText(), c.off) << "style " << c.style;
    }
}

TEST (BoolParameter, EveryStyleReadsEveryKeyword)
{
    for (int style = 0; style < 4; ++style)
    {
        for (auto* onWord : { "true", "1", "on", "yes" })
        {
            BoolParameter p (0, "x", style, false);
            p.setText (onWord, false);
            EXPECT_TRUE (p.getBoolValue()) << onWord << " in style " << style;
        }

        for (auto* offWord : { "false", "0", "off", "no" })
        {
            BoolParameter p (0, "x", style, true);
            p.setText (offWord, false);
            EXPECT_FALSE (p.getBoolValue()) << offWord << " in style " << style;
        }
    }
}

TEST (BoolParameter, KeywordsAreCaseSensitiveOtherTextIsANumber)
{
    BoolParameter p (0, "x", 1, false);

    p.setText ("yes", false);
    EXPECT_TRUE (p.getBoolValue());
    EXPECT_EQ (p.getText(), "on");

    p.setText ("Yes", false);
    EXPECT_FALSE (p.getBoolValue());

    p.setText ("0.7", false);
    EXPECT_TRUE (p.getBoolValue());
    p.setText ("0.3", false);
    EXPECT_FALSE (p.getBoolValue());
    p.setText ("0.5", false);
    EXPECT_TRUE (p.getBoolValue());

    p.setText ("TRUE", false);
    EXPECT_FALSE (p.getBoolValue());
    p.setText ("on", false);
    p.setText ("nan", false);
    EXPECT_FALSE (p.getBoolValue());
    p.setText ("on", false);
    p.setText (" on", false);
    EXPECT_FALSE (p.getBoolValue());
}

TEST (BoolParameter, NumericSetters)
{
    BoolParameter p (0, "x");

    p.setValue (0.1f, false);
    EXPECT_TRUE (p.getBoolValue());
    p.setValue (0.0f, false);
    EXPECT_FALSE (p.getBoolValue());
    p.setValue (-3.0f, false);
    EXPECT_TRUE (p.getBoolValue());

    p.setNormalisedValue (0.49f, false);
    EXPECT_FALSE (p.getBoolValue());
    p.setNormalisedValue (0.5f, false);
    EXPECT_TRUE (p.getBoolValue());
    p.setNormalisedValue (notANumber, false);
    EXPECT_FALSE (p.getBoolValue());

    p.setIntValue (-1, false);
    EXPECT_TRUE (p.getBoolValue());
    p.setIntValue (0, false);
    EXPECT_FALSE (p.getBoolValue());

    FloatParameter midpoint (1, "f", 0.0f, 1.0f, 0.5f);
    p.setFromParameter (midpoint, false);
    EXPECT_TRUE (p.getBoolValue());

    IntParameter atMinimum (2, "i", 3, 7, 3);
    p.setFromParameter (atMinimum, false);
    EXPECT_FALSE (p.getBoolValue());
}
