#pragma once

// The VST 2.4 interface as FST declares it, with one change: FST gives the speaker
// arrangement an open array of speakers, while the published layout has room for eight and
// JUCE's plug-in hosting sizes its allocations by that. The layout in memory is the same.
#define VstSpeakerArrangement FstOpenSpeakerArrangement
#include <pluginterfaces/fst/aeffect.h>
#undef VstSpeakerArrangement

typedef struct VstSpeakerArrangement
{
    int type;
    int numChannels;
    VstSpeakerProperties speakers[8];
} VstSpeakerArrangement;
