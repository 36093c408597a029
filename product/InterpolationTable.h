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
    static constexpr int numReads = 4;

    InterpolationTable();
    InterpolationTable (const InterpolationTable&) = delete;
    InterpolationTable& operator= (const InterpolationTable&) = delete;

    /** One interpolated read: the value between line[newest - 31] and line[newest] for a
        phase 0 to 511, the sum over taps t of tap t times line[newest - t]. */
    struct Read
    {
        const double* line;
        int newest;
        int phase;
    };

    using Results = double __attribute__ ((vector_size (32)));

    /** The four reads of a sample at once, one lane each, so that they share the final
        additions. */
    void interpolate (const Read (&reads)[numReads], Results& results) const noexcept
    {
        Lanes sums[numReads];

        for (int r = 0; r < numReads; ++r)
        {
            const double* taps = phaseRows + reads[r].phase * numTaps;
            const double* samples = reads[r].line + reads[r].newest - (numTaps - 1);

            // Four running sums of four lanes each, added up at the end.
            Lanes partial[4], tapLanes, sampleLanes;

            for (int i = 0; i < 4; ++i)
            {
                std::memcpy (&tapLanes, taps + 4 * i, sizeof (Lanes));
                std::memcpy (&sampleLanes, samples + 4 * i, sizeof (Lanes));
                partial[i] = tapLanes * sampleLanes;
            }

            for (int i = 0; i < 4; ++i)
            {
                std::memcpy (&tapLanes, taps + 16 + 4 * i, sizeof (Lanes));
                std::memcpy (&sampleLanes, samples + 16 + 4 * i, sizeof (Lanes));
                partial[i] += tapLanes * sampleLanes;
            }

            sums[r] = (partial[0] + partial[1]) + (partial[2] + partial[3]);
        }

        // Neighbouring lanes of two reads side by side, then the two halves: one lane per read.
        const Lanes pairs01 = __builtin_shufflevector (sums[0], sums[1], 0, 4, 2, 6) + __builtin_shufflevector (sums[0], sums[1], 1, 5, 3, 7);
        const Lanes pairs23 = __builtin_shufflevector (sums[2], sums[3], 0, 4, 2, 6) + __builtin_shufflevector (sums[2], sums[3], 1, 5, 3, 7);
        results = __builtin_shufflevector (pairs01, pairs23, 0, 1, 4, 5) + __builtin_shufflevector (pairs01, pairs23, 2, 3, 6, 7);
    }

private:
    // Four doubles in one value: one register where the target has 256-bit vectors, two
    // otherwise.
    using Lanes = Results;

    // Each phase row of 32 taps starts on a 64-byte boundary, so no tap load spans two
    // cache lines.
    static constexpr int rowAlignment = 64 / sizeof (double);
    std::vector<double> coefficients;
    double* phaseRows;
};
