#pragma once

#include <cmath>

/** The parameter indices of Halvenek as the definition file numbers them. Each LFO's
    parameters form a run of nine; LFO 2's run starts nine after LFO 1's. */
namespace HalvenekParameters
{
    enum Index
    {
        lfoRate = 0,
        lfoNoteRate,
        lfoSync,
        lfoDepth,
        lfoOffset,
        lfoWaveform,
        pathVolume,
        lfoTremolo,
        lfoStereoPhase,
        lfo2Synchronize = 18,
        bbd,
        hiPassFrequency,
        fx,
        outputVolume,
        numParameters
    };

    constexpr int numLfos = 2;
    constexpr int parametersPerLfo = 9;

    /** The index of one of an LFO's parameters; lfoIndex is 0 for LFO 1 and 1 for LFO 2. */
    constexpr int forLfo (int lfoIndex, Index firstLfoIndex)   { return firstLfoIndex + parametersPerLfo * lfoIndex; }

    /** An LFO's sync mode for the normalised value of its sync parameter: 0 is the free
        rate, 1 to 3 lock the LFO to the host tempo. */
    inline int syncModeForValue (double normalisedValue)       { return (int) std::floor (normalisedValue * 3.0 + 0.5); }
}
