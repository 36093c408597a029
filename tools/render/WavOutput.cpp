#include "WavOutput.h"

WavOutput::WavOutput (const juce::File& t)  : target (t), temporary (t) {}

std::unique_ptr<WavOutput> WavOutput::create (const juce::File& target, double sampleRate, juce::String& error)
{
    if (target.isDirectory())
    {
        error = "the output " + target.getFullPathName() + " is a folder; give a file name";
        return {};
    }

    std::unique_ptr<WavOutput> output (new WavOutput (target));
    std::unique_ptr<juce::OutputStream> stream (output->temporary.getFile().createOutputStream());

    if (stream != nullptr)
        output->writer.reset (juce::WavAudioFormat().createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));

    if (output->writer == nullptr)
    {
        error = "cannot write " + target.getFullPathName();
        return {};
    }

    stream.release();
    return output;
}

bool WavOutput::write (const juce::AudioBuffer<float>& stereo, int count)
{
    return writer->writeFromAudioSampleBuffer (stereo, 0, count);
}

bool WavOutput::finish()
{
    writer.reset();
    return temporary.overwriteTargetFileWithTemporary();
}
