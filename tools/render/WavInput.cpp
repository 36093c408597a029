#include "WavInput.h"

namespace
{
    /** Where the chunks of a RIFF WAVE file say its audio is, found by walking the chunks
        through the whole file rather than trusting the RIFF size. */
    struct DataChunk
    {
        juce::int64 riffEnd = 0, start = 0, size = 0;
        bool found = false;
    };

    juce::String findDataChunk (juce::FileInputStream& in, DataChunk& data)
    {
        const auto fileSize = in.getTotalLength();
        char header[12];

        if (in.read (header, 12) != 12 || std::memcmp (header, "RIFF", 4) != 0 || std::memcmp (header + 8, "WAVE", 4) != 0)
            return "not a RIFF WAVE file";

        data.riffEnd = 8 + (juce::int64) juce::ByteOrder::littleEndianInt (header + 4);

        for (juce::int64 position = 12; position + 8 <= fileSize;)
        {
            char chunk[8];

            if (! in.setPosition (position) || in.read (chunk, 8) != 8)
                return "cannot read its chunks";

            const auto size = (juce::int64) juce::ByteOrder::littleEndianInt (chunk + 4);

            if (std::memcmp (chunk, "data", 4) == 0)
            {
                data = { data.riffEnd, position + 8, size, true };
                return {};
            }

            position += 8 + size + (size & 1);
        }

        return "it has no audio data";
    }

    bool isReadableSampleFormat (const juce::AudioFormatReader& reader)
    {
        // What the reader fills; other depths (12 or 20 bits, 64-bit floats) read as silence.
        const auto bits = reader.bitsPerSample;
        return reader.usesFloatingPointData ? bits == 32 : (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    }
}

WavInput::WavInput (std::unique_ptr<juce::AudioFormatReader> r)  : reader (std::move (r)) {}

std::unique_ptr<WavInput> WavInput::open (const juce::File& file, double lowestRate, double highestRate, juce::String& error)
{
    const auto name = file.getFullPathName();
    auto in = file.existsAsFile() ? file.createInputStream() : nullptr;

    if (in == nullptr)
    {
        error = "cannot read " + name + ": no such file";
        return {};
    }

    DataChunk data;

    if (auto problem = findDataChunk (*in, data); problem.isNotEmpty())
    {
        error = "cannot read " + name + ": " + problem;
        return {};
    }

    const auto fileSize = in->getTotalLength();

    if (data.start + data.size > fileSize)
    {
        error = "cannot read " + name + ": it ends " + juce::String (data.start + data.size - fileSize)
              + " bytes before the end of the audio its header announces";
        return {};
    }

    if (data.start + data.size > data.riffEnd)
    {
        error = "cannot read " + name + ": its RIFF size leaves out part of its audio";
        return {};
    }

    in->setPosition (0);
    std::unique_ptr<juce::AudioFormatReader> reader (juce::WavAudioFormat().createReaderFor (in.release(), true));

    if (reader == nullptr)
    {
        error = "cannot read " + name + ": not a readable WAV file";
        return {};
    }

    if (reader->numChannels < 1 || reader->numChannels > 2)
        error = name + " has " + juce::String (reader->numChannels) + " channels; only mono and stereo files are rendered";
    else if (! isReadableSampleFormat (*reader))
        error = name + " has " + juce::String (reader->bitsPerSample) + "-bit " + (reader->usesFloatingPointData ? "floating-point" : "integer")
              + " samples; only 8, 16, 24 and 32-bit integer and 32-bit float files are rendered";
    else if (! (reader->sampleRate >= lowestRate && reader->sampleRate <= highestRate))
        error = name + " has a sample rate of " + juce::String (reader->sampleRate, 0) + " Hz; only rates from "
              + juce::String (lowestRate, 0) + " to " + juce::String (highestRate, 0) + " Hz are rendered";
    else if (reader->lengthInSamples != data.size / (juce::int64) (reader->numChannels * reader->bitsPerSample / 8))
        error = "cannot read " + name + ": its header does not agree with its audio";

    if (error.isNotEmpty())
        return {};

    return std::unique_ptr<WavInput> (new WavInput (std::move (reader)));
}

bool WavInput::read (juce::AudioBuffer<float>& block, juce::int64 start, int count)
{
    if (! reader->read (&block, 0, count, start, true, true))
        return false;

    if (reader->numChannels == 1)
        block.copyFrom (1, 0, block, 0, 0, count);

    return true;
}
