#include "HalvenekLfo.h"

#include <cmath>

double HalvenekLfo::freeRateForValue (double value) noexcept
{
    return 0.01263019463426548 * std::exp (7.367528706904771 * value) - 0.00263019462995602;
}

double HalvenekLfo::waveformValue (int waveform, double phase, double randomValue) noexcept
{
    switch (waveform)
    {
        case triangle:
            return (phase < pi ? ((phase - pi / 2) * (2 / pi) + 1) * 0.5
                               : ((3 * pi / 2 - phase) * (2 / pi) + 1) * 0.5) + 1e-20;
        case square:        return phase < pi ? 1.0 : 0.0;
        case sine:          return (std::sin (phase + 1e-20) + 1) * 0.5;
        case sawRising:     return phase / twoPi;
        case sawFalling:    return 1 - phase / twoPi;
        case random:        return (randomValue + 1) * 0.5;
        default:            return 0.0;
    }
}

void HalvenekLfo::alignTo (double division, double quarterNotes) noexcept
{
    if (syncMode == 0)
        return;

    const double cycles = division * quarterNotes;
    leftPhase = rightAccumulator = twoPi * (cycles - std::ceil (cycles) + 1);
    leftRandomValue = lastRightRandomValue;
}
