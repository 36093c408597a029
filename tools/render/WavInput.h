#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

/** A WAV file read block by block, so that its length costs no memory. It is opened only
    when its header agrees with the file: the audio it announces is all there and inside
    the RIFF size, and its sample format and rate are ones that can be rendered right. */
class WavInput
{
public:
    /** Opens the file; null, with the one-line reason, when it cannot be rendered. */
    static std::unique_ptr<WavInput> open (const juce::File& file, double lowestRate, double highestRate, juce::String& error);

    double getSampleRate() const noexcept       { return reader->sampleRate; }
    juce::int64 getLength() const noexcept      { return reader->lengthInSamples; }

    /** Reads count frames from a position into the first two channels of the block; a
        mono file fills both. False when the file could not be read. */
    bool read (juce::AudioBuffer<float>& block, juce::int64 start, int count);

private:
    explicit WavInput (std::unique_ptr<juce::AudioFormatReader>);

    std::unique_ptr<juce::AudioFormatReader> reader;
};
