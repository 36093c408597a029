#pragma once

#include <array>
#include <cstring>

/** The 32-tap windowed-sinc interpolator of the chorus paths, in 512 fractional phases.

    The coefficients are those of a Blackman-windowed sinc over 16384 points, where tap t of
    phase j is point j + 512 t. They are stored by phase, each phase's 32 taps next to each
    other and in reverse tap order, so that one phase lines up with 32 consecutive line
    samples, oldest first.

    The table is constant, so one copy serves every core of the process.
*/
class InterpolationTable
{
public:
    static constexpr int numTaps = 32;
    static constexpr int numPhases = 512;
    static constexpr int numReads = 4;

    /** The process's table, computed on first use. */
    static const InterpolationTable& getShared();

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
        Row sums[numReads];

        for (int r = 0; r < numReads; ++r)
        {
            const double* taps = phaseRows.data() + reads[r].phase * numTaps;
            const double* samples = reads[r].line + reads[r].newest - (numTaps - 1);

            // Two running sums, so that the multiply-adds of one read overlap.
            Row tapRow, sampleRow, even, odd;
            load (tapRow, taps);                load (sampleRow, samples);                even = tapRow * sampleRow;
            load (tapRow, taps + rowSize);      load (sampleRow, samples + rowSize);      odd = tapRow * sampleRow;
            load (tapRow, taps + 2 * rowSize);  load (sampleRow, samples + 2 * rowSize);  even += tapRow * sampleRow;
            load (tapRow, taps + 3 * rowSize);  load (sampleRow, samples + 3 * rowSize);  odd += tapRow * sampleRow;
            sums[r] = even + odd;
        }

        // Neighbouring lanes of two reads side by side, then of all four, then the two
        // halves: one lane per read.
        const Row pairs01 = __builtin_shufflevector (sums[0], sums[1], 0, 8, 2, 10, 4, 12, 6, 14)
                          + __builtin_shufflevector (sums[0], sums[1], 1, 9, 3, 11, 5, 13, 7, 15);
        const Row pairs23 = __builtin_shufflevector (sums[2], sums[3], 0, 8, 2, 10, 4, 12, 6, 14)
                          + __builtin_shufflevector (sums[2], sums[3], 1, 9, 3, 11, 5, 13, 7, 15);
        const Row quads = __builtin_shufflevector (pairs01, pairs23, 0, 1, 8, 9, 4, 5, 12, 13)
                        + __builtin_shufflevector (pairs01, pairs23, 2, 3, 10, 11, 6, 7, 14, 15);
        results = __builtin_shufflevector (quads, quads, 0, 1, 2, 3) + __builtin_shufflevector (quads, quads, 4, 5, 6, 7);
    }

private:
    InterpolationTable();

    // Eight taps or samples in one value: one register where the target has 512-bit
    // vectors, two or four otherwise.
    static constexpr int rowSize = 8;
    using Row = double __attribute__ ((vector_size (rowSize * sizeof (double))));
    static_assert (numTaps == 4 * rowSize);

    static void load (Row& row, const double* source) noexcept  { std::memcpy (&row, source, sizeof (Row)); }

    // Each phase row of 32 taps starts on a 64-byte boundary, so no tap load spans two
    // cache lines.
    alignas (64) std::array<double, numTaps * numPhases> phaseRows;
};
