#pragma once

#include <array>
#include <cstring>

/** The 32-tap windowed-sinc interpolator of the chorus paths, in 512 fractional phases.

    The coefficients are those of a Blackman-windowed sinc over 16384 points, where tap t of
    phase j is point j + 512 t. They are stored by phase, each phase's 32 taps next to each
    other and in reverse tap order, so that one phase lines up with 32 consecutive line
    samples, oldest first. Taps, line samples and their sums are single precision.

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

    /** One interpolated read: the sum over taps t of a phase row's tap t times the sample
        t places before the newest of 32 consecutive line samples. */
    struct Read
    {
        const float* phaseRow;   // from getPhaseRow()
        const float* oldest;     // the first of the 32 samples
    };

    /** The taps of a phase 0 to 511, in reverse order, so that they line up with 32
        consecutive line samples, oldest first. */
    const float* getPhaseRow (int phase) const noexcept     { return phaseRows.data() + phase * numTaps; }

    using Results = double __attribute__ ((vector_size (32)));

    /** The four reads of a sample at once, one lane each, so that they share the final
        additions. */
    void interpolate (const Read (&reads)[numReads], Results& results) const noexcept
    {
        Row sums[numReads];

        for (int r = 0; r < numReads; ++r)
        {
            const float* taps = reads[r].phaseRow;
            const float* samples = reads[r].oldest;

            Row tapRow, sampleRow, products;
            load (tapRow, taps);            load (sampleRow, samples);            products = tapRow * sampleRow;
            load (tapRow, taps + rowSize);  load (sampleRow, samples + rowSize);  sums[r] = products + tapRow * sampleRow;
        }

        // Each read's two halves first, which are whole registers where vectors hold eight
        // floats; then parts of two reads interleaved, then of all four; then the halves,
        // one lane per read. (The conversion of eight lanes is the one compilers do in one
        // instruction per four.)
        HalfRow halves[numReads];

        for (int r = 0; r < numReads; ++r)
            halves[r] = __builtin_shufflevector (sums[r], sums[r], 0, 1, 2, 3, 4, 5, 6, 7)
                      + __builtin_shufflevector (sums[r], sums[r], 8, 9, 10, 11, 12, 13, 14, 15);

        const HalfRow pairs01 = __builtin_shufflevector (halves[0], halves[1], 0, 8, 1, 9, 4, 12, 5, 13)
                              + __builtin_shufflevector (halves[0], halves[1], 2, 10, 3, 11, 6, 14, 7, 15);
        const HalfRow pairs23 = __builtin_shufflevector (halves[2], halves[3], 0, 8, 1, 9, 4, 12, 5, 13)
                              + __builtin_shufflevector (halves[2], halves[3], 2, 10, 3, 11, 6, 14, 7, 15);
        const HalfRow quads = __builtin_shufflevector (pairs01, pairs23, 0, 1, 8, 9, 4, 5, 12, 13)
                            + __builtin_shufflevector (pairs01, pairs23, 2, 3, 10, 11, 6, 7, 14, 15);
        const HalfRow summed = quads + __builtin_shufflevector (quads, quads, 4, 5, 6, 7, 4, 5, 6, 7);
        const EightDoubles summedAsDoubles = __builtin_convertvector (summed, EightDoubles);
        results = __builtin_shufflevector (summedAsDoubles, summedAsDoubles, 0, 1, 2, 3);
    }

private:
    InterpolationTable();

    // Sixteen taps or samples in one value: one register where the target has 512-bit
    // vectors, two or four otherwise.
    static constexpr int rowSize = 16;
    using Row = float __attribute__ ((vector_size (rowSize * sizeof (float))));
    using HalfRow = float __attribute__ ((vector_size (rowSize / 2 * sizeof (float))));
    using EightDoubles = double __attribute__ ((vector_size (rowSize / 2 * sizeof (double))));
    static_assert (numTaps == 2 * rowSize);

    static void load (Row& row, const float* source) noexcept  { std::memcpy (&row, source, sizeof (Row)); }

    // Each phase row of 32 taps starts on a 64-byte boundary, so no tap load spans two
    // cache lines.
    alignas (64) std::array<float, numTaps * numPhases> phaseRows;
};
