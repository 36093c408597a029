#pragma once

#include <cmath>

/** The one-pole filters of the chorus input stage. The sample type is a double or a
    vector of doubles, one lane per channel. */
namespace ChorusFilters
{
    struct HighPassCoefficients
    {
        double a = 0.0, b = 0.0;

        static HighPassCoefficients forCutoff (double cutoffHz, double sampleRate) noexcept
        {
            const double a = std::exp (-2.0 * 3.141592653589793238 * cutoffHz / sampleRate) + 1e-20;
            return { a, (a + 1.0) * 0.5 + 1e-20 };
        }
    };

    /** y := (x - previous x) * b + a * y */
    template <typename Sample>
    struct HighPass
    {
        Sample previousInput {}, output {};

        Sample process (Sample x, double a, double b) noexcept
        {
            // Only the recursive term waits for the sample before.
            output = a * output + ((x - previousInput) * b + 1e-20);
            previousInput = x;
            return output;
        }
    };

    struct BbdCoefficients
    {
        HighPassCoefficients highPass;
        double bass = 0.0, lowPass = 0.0;

        static BbdCoefficients forSampleRate (double sampleRate) noexcept
        {
            auto pole = [sampleRate] (double hz) { return std::exp (-2.0 * 3.141592653589793238 * hz / sampleRate); };
            return { HighPassCoefficients::forCutoff (33.0, sampleRate), pole (88.5), pole (6000.0) };
        }
    };

    /** The "BBD" colour: a 33 Hz high-pass, a bass cut of 1.24 times the signal's 88.5 Hz
        low-pass, and a 6000 Hz low-pass. */
    template <typename Sample>
    class BbdColour
    {
    public:
        Sample process (Sample x, const BbdCoefficients& c) noexcept
        {
            const Sample y = highPass.process (x, c.highPass.a, c.highPass.b);
            bass = y - (y - bass) * c.bass + 1e-20;
            const Sample z = y - 1.24 * bass;
            lowPass = z - (z - lowPass) * c.lowPass + 1e-20;
            return lowPass;
        }

        /** Colour off: the output is the input, and switching on continues from it. */
        Sample bypass (Sample x) noexcept
        {
            lowPass = x;
            return x;
        }

    private:
        HighPass<Sample> highPass;
        Sample bass {}, lowPass {};
    };
}
