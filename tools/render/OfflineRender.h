#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

/** Plays a stereo signal through a plug-in block by block, as a DAW's offline bounce does:
    with a playing transport from position 0 and the plug-in's tail after the signal. */
namespace OfflineRender
{
    struct Settings
    {
        double sampleRate = 44100.0;
        int blockSize = 512;
        double tempo = 120.0;
        int tailSamples = 0;
    };

    struct Result
    {
        juce::AudioBuffer<float> audio;         // stereo, the input's length plus the tail
        double processingSeconds = 0.0;         // time spent inside the plug-in
    };

    /** The progress callback gets the fraction done. */
    Result render (juce::AudioPluginInstance&, const juce::AudioBuffer<float>& stereoInput, const Settings&,
                   const std::function<void (double)>& progress);
}
