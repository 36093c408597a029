#include "HostPlaySettings.h"

#include <algorithm>
#include <cmath>

namespace HostPlaySettings
{
    double sanitiseSampleRate (float requested) noexcept
    {
        if (! std::isfinite (requested) || requested <= 0.0f)
            return defaultSampleRate;

        return std::clamp ((double) requested, lowestSampleRate, highestSampleRate);
    }

    int sanitiseBlockSize (VstIntPtr requested, int previous) noexcept
    {
        if (requested < 1)
            return previous;

        return (int) std::min (requested, (VstIntPtr) largestBlockSize);
    }

    VstTimeInfo advanceTimeInfo (const VstTimeInfo& info, int samples) noexcept
    {
        auto advanced = info;
        advanced.samplePos += samples;

        constexpr int beatsValid = kVstPpqPosValid | kVstTempoValid;

        if ((info.flags & beatsValid) == beatsValid && info.sampleRate > 0.0)
            advanced.ppqPos += samples / info.sampleRate * info.tempo / 60.0;

        return advanced;
    }
}
