#include "HalvenekLfo.h"

#include <cmath>

double HalvenekLfo::freeRateForValue (double value) noexcept
{
    return 0.01263019463426548 * std::exp (7.367528706904771 * value) - 0.00263019462995602;
}

void HalvenekLfo::alignTo (double division, double quarterNotes) noexcept
{
    if (syncMode == 0)
        return;

    const double cycles = division * quarterNotes;
    leftPhase = rightAccumulator = twoPi * (cycles - std::ceil (cycles) + 1);
    leftRandomValue = lastRightRandomValue;
}
