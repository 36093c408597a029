#pragma once

#include <vector>

/** The factory bank in the units the user sees on the editor, one line per preset.

    The generator turns these into normalised parameter values and writes the embedded
    "default.hlprsb" (and the default preset "default.hlprs").
*/
namespace FactoryBank
{
    enum class Sync { off, full, dotted, triplet };
    enum class Wave { triangle, square, sine, sawRising, sawFalling, random };

    struct Lfo
    {
        double rateHz;          // free rate, 0.01 to 20 Hz (kept while synchronised)
        const char* noteRate;   // "1/32" ... "16": one LFO cycle per that note value
        Sync sync;
        double depthMs;         // 0 to 15 ms of sweep
        double offsetMs;        // 0 to 15 ms of fixed delay on top of the interpolator's
        Wave wave;
        int volumePercent;      // the path's volume
        int tremoloPercent;
        int stereoPhaseDegrees; // 0 to 180
    };

    struct Preset
    {
        const char* name;
        Lfo lfo1, lfo2;
        bool lfo2FollowsLfo1;   // "LFO 2 Synchronize"
        bool bbd;
        double hiPassHz;        // 0 to 800 Hz on the wet signal
        int wetPercent;         // "FX"
        double outputDb;        // 0 dB is unity
    };

    struct Group
    {
        const char* name;
        std::vector<Preset> presets;
    };

    const std::vector<Group>& groups();
}
