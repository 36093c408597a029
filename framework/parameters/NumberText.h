#pragma once

#include <juce_core/juce_core.h>

/** Number texts shared by every document the framework reads and writes. */
namespace NumberText
{
    /** The C format "%.9g": up to nine significant digits, no trailing zeros. */
    juce::String formatG9 (double value);

    /** The value with exactly the given number of decimal places ("%.*f"). */
    juce::String formatFixed (double value, int decimalPlaces);

    /** The leading decimal integer of a text (after blanks, with an optional sign), saturated
        to the 64-bit range; 0 when the text does not start with one. */
    long long parseLeadingInteger (const juce::String& text);

    /** The text read as a decimal number; 0 when it is not one (including "nan", "inf" and
        numbers beyond the range of a double). */
    double parseNumber (const juce::String& text);
}
