#pragma once

#include "VstInterface.h"

/** Turns the sample rate and block size a host announces into values the processor can be
    prepared with. */
namespace HostPlaySettings
{
    constexpr double defaultSampleRate = 44100.0;
    constexpr double lowestSampleRate = 8000.0;
    constexpr double highestSampleRate = 768000.0;
    constexpr int largestBlockSize = 65536;

    /** 44100 Hz when the host reports no usable rate (0, negative, not a number); otherwise
        the rate, held within the range of real audio interfaces. */
    double sanitiseSampleRate (float requested) noexcept;

    /** A block size below 1 is ignored (the previous one stays); a larger one than
        largestBlockSize is capped, and longer process calls are cut into pieces. */
    int sanitiseBlockSize (VstIntPtr requested, int previous) noexcept;

    /** The host's time info as seen a number of samples later, for the later pieces of a
        process call that had to be cut. */
    VstTimeInfo advanceTimeInfo (const VstTimeInfo& info, int samples) noexcept;
}
