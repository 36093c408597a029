#pragma once

#include <cstring>
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

    /** One interpolated read: the value between line[newest - 31] and line[newest] for a
        phase 0 to 511, the sum over taps t of tap t times line[newest - t]. */
    struct Read
    {
        const double* line;
        int newest;
        int phase;
    };

    double interpolate (const Read& read) const noexcept
    {
        const double* taps = coefficients.data() + read.phase * numTaps;
        const double* samples = read.line + read.newest - (numTaps - 1);

        // Four running sums of four lanes each, added up at the end.
        Lanes sums[4];

        for (int i = 0; i < 4; ++i)
        {
            Lanes tapLanes, sampleLanes;
            std::memcpy (&tapLanes, taps + 4 * i, sizeof (Lanes));
            std::memcpy (&sampleLanes, samples + 4 * i, sizeof (Lanes));
            sums[i] = tapLanes * sampleLanes;
        }

        for (int i = 0; i < 4; ++i)
        {
            Lanes tapLanes, sampleLanes;
            std::memcpy (&tapLanes, taps + 16 + 4 * i, sizeof (Lanes));
            std::memcpy (&sampleLanes, samples + 16 + 4 * i, sizeof (Lanes));
            sums[i] += tapLanes * sampleLanes;
        }

        const Lanes sum = (sums[0] + sums[1]) + (sums[2] + sums[3]);
        return (sum[0] + sum[1]) + (sum[2] + sum[3]);
    }

private:
    // Four doubles in one value: one register where the target has 256-bit vectors, two
    // otherwise.
    using Lanes = double __attribute__ ((vector_size (32)));

    std::vector<double> coefficients;
};
