#pragma once

#include <juce_core/juce_core.h>

class HalvenekCore;

/** The texts the host shows for Halvenek's parameter values, in the product's own units,
    built from the values the engine holds. */
namespace HalvenekValueTexts
{
    /** The text for a parameter index 0 to 22; noteRateIndex is the processor's note-rate
        index (0 "1/32" to 9 "16") of the LFO the index belongs to, if any. Empty for other
        indices. */
    juce::String forParameter (const HalvenekCore& core, int index, int noteRateIndex);

    /** Rounded to hundredths (halves away from zero), printed with up to nine digits. */
    juce::String twoDecimals (double value);

    /** Rounded to tenths, printed with up to nine digits. */
    juce::String oneDecimal (double value);

    /** The gain 4 v^2 in decibels with one decimal and a "+" above 0.01 dB, or "-Inf.". */
    juce::String outputVolumeText (double normalisedValue);
}
