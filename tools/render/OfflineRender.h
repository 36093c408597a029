#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

/** Plays a stereo signal through a plug-in block by block, as a DAW's offline bounce does:
    with a playing transport from position 0 and the plug-in's tail after the signal. The
    signal is read and the result written a block at a time, so a long file costs no more
    memory than a short one. */
namespace OfflineRender
{
    struct Settings
    {
        double sampleRate = 44100.0;
        int blockSize = 512;
        double tempo = 120.0;
        juce::int64 inputLength = 0;
        int tailSamples = 0;
    };

    /** Fills the first two channels of a block with count frames of the input from start. */
    using InputReader = std::function<bool (juce::AudioBuffer<float>& stereo, juce::int64 start, int count)>;

    /** Takes count frames of stereo output. */
    using OutputWriter = std::function<bool (const juce::AudioBuffer<float>& stereo, int count)>;

    struct Result
    {
        bool inputFailed = false, outputFailed = false;     // the render stopped there
        juce::int64 length = 0;                 // frames written: the input's length plus the tail
        double processingSeconds = 0.0;         // time spent inside the plug-in
    };

    /** The progress callback gets the fraction done. */
    Result render (juce::AudioPluginInstance&, const Settings&, const InputReader&, const OutputWriter&,
                   const std::function<void (double)>& progress);
}
