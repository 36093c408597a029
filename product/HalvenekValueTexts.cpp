#include "HalvenekValueTexts.h"

#include "HalvenekCore.h"
#include "../framework/parameters/NumberText.h"

using namespace HalvenekParameters;

namespace HalvenekValueTexts
{
    namespace
    {
        juce::String scaledRound (double value, double scale)
        {
            return NumberText::formatG9 (std::round (value * scale) * (1.0 / scale));
        }

        juce::String percent (double value)
        {
            return juce::String ((long long) std::round (value * 100.0)) + "%";
        }

        juce::String onOff (bool on)
        {
            return on ? "On" : "Off";
        }

        juce::String fromList (const juce::StringArray& texts, int index)
        {
            return juce::isPositiveAndBelow (index, texts.size()) ? texts[index] : juce::String();
        }

        juce::String lfoText (const HalvenekCore& core, int n, int lfoParameter, double value, int noteRateIndex)
        {
            switch (lfoParameter)
            {
                case lfoRate:           return twoDecimals (core.getFreeRate (n)) + "Hz";
                case lfoNoteRate:       return fromList ({ "1/32", "1/16", "1/8", "1/4", "1/2", "1", "2", "4", "8", "16" }, noteRateIndex);
                case lfoSync:           return fromList ({ "Off", "Full", "Dotted", "Triplet" }, core.getSyncMode (n));
                case lfoDepth:
                case lfoOffset:         return twoDecimals (value * 15.0) + "ms";
                case lfoWaveform:       return fromList ({ "Triangle", "Square", "Sine", "Saw rising", "Saw falling", "Random" }, core.getWaveform (n));
                case pathVolume:
                case lfoTremolo:        return percent (value);
                case lfoStereoPhase:    return juce::String ((int) (value * 180.0)) + " deg";
                default:                return {};
            }
        }
    }

    juce::String twoDecimals (double value)    { return scaledRound (value, 100.0); }
    juce::String oneDecimal (double value)     { return scaledRound (value, 10.0); }

    juce::String outputVolumeText (double normalisedValue)
    {
        const double gain = HalvenekCore::outputGainForValue (normalisedValue);
        const double decibels = gain > 0.0 ? 20.0 * std::log10 (gain) : -320.0;

        if (decibels <= -320.0)
            return "-Inf.";

        const double tenths = std::floor (std::abs (decibels) * 10.0 + 0.5);
        const juce::String sign = decibels > 0.01 ? "+" : (decibels < 0.0 ? "-" : "");
        return sign + NumberText::formatFixed (tenths / 10.0, 1) + "dB";
    }

    juce::String forParameter (const HalvenekCore& core, int index, int noteRateIndex)
    {
        if (! juce::isPositiveAndBelow (index, (int) numParameters))
            return {};

        const double value = core.getParameterValue (index);

        if (index < lfo2Synchronize)
            return lfoText (core, index / parametersPerLfo, index % parametersPerLfo, value, noteRateIndex);

        switch (index)
        {
            case lfo2Synchronize:   return onOff (core.isLfo2Synchronised());
            case bbd:               return onOff (core.isBbdOn());
            case hiPassFrequency:   return oneDecimal (core.getHiPassCutoff()) + "Hz";

            case fx:
            {
                const int wetPercent = (int) std::floor (value * 100.0 + 0.5);
                return juce::String (100 - wetPercent) + "/" + juce::String (wetPercent) + "% (Dry/Wet)";
            }

            case outputVolume:      return outputVolumeText (value);
            default:                return {};
        }
    }
}
