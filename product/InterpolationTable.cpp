#include "InterpolationTable.h"

#include <cmath>

const InterpolationTable& InterpolationTable::getShared()
{
    static const InterpolationTable table;
    return table;
}

InterpolationTable::InterpolationTable()
{
    constexpr double pi = 3.141592653589793238;
    constexpr int numPoints = numTaps * numPhases;

    for (int point = 0; point < numPoints; ++point)
    {
        const double x = (point - numPoints / 2) / (double) numPhases;
        const double sinc = x == 0.0 ? 1.0 : std::sin (pi * x) / (pi * x);
        const double window = 0.42 - 0.5 * std::cos (2.0 * pi * point / numPoints)
                                   + 0.08 * std::cos (4.0 * pi * point / numPoints);

        const int phase = point % numPhases;
        const int tap = point / numPhases;
        phaseRows[(size_t) (phase * numTaps + numTaps - 1 - tap)] = (float) (sinc * window);
    }
}
