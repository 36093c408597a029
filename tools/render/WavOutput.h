#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

/** The rendered file: 32-bit float stereo WAV, written block by block into a temporary file
    beside the target, which replaces the target only once the render is complete. A render
    that stops early leaves neither the temporary file nor a partial target behind. */
class WavOutput
{
public:
    /** Starts the file; null, with the one-line reason, when it cannot be written. */
    static std::unique_ptr<WavOutput> create (const juce::File& target, double sampleRate, juce::String& error);

    bool write (const juce::AudioBuffer<float>& stereo, int count);

    /** Completes the file and moves it over the target. */
    bool finish();

private:
    explicit WavOutput (const juce::File& target);

    const juce::File target;
    juce::TemporaryFile temporary;
    std::unique_ptr<juce::AudioFormatWriter> writer;
};
