#pragma once

#include <vector>

/** The 32-tap windowed-sinc interpolator of the chorus paths, in 512 fractional phases.

    The coefficients are those of a Blackman-windowed sinc over 16384 points, where tap t of
    phase j is point j + 512 t. They are stored by phase, each phase's 32 taps next to each
    other and in reverse tap order, so that one phase lines up with 32 consecutive line
    samples, oldest first.
*/
class InterpolationTable
{
public:
    static constexpr int numTaps = 32;
    static constexpr int numPhases = 512;

    InterpolationTable();

    /** The interpolated value between line[newest - 31] and line[newest] for a phase
        0 to 511: the sum over taps t of tap t times line[newest - t]. */
    double interpolate (const double* line, int newest, int phase) const noexcept
    {
        const double* taps = coefficients.data() + phase * numTaps;
        const double* samples = line + newest - (numTaps - 1);

        // Four independent sums let the compiler use vector registers without reordering
        // the additions inside each sum.
        double s0 = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0;

        for (int k = 0; k < numTaps; k += 4)
        {
            s0 += taps[k] * samples[k];
            s1 += taps[k + 1] * samples[k + 1];
            s2 += taps[k + 2] * samples[k + 2];
            s3 += taps[k + 3] * samples[k + 3];
        }

        return (s0 + s1) + (s2 + s3);
    }

private:
    std::vector<double> coefficients;
};
