#include "DemoPhrase.h"
#include "HostedPlugin.h"
#include "OfflineRender.h"
#include "ProgressBar.h"
#include "RenderOptions.h"

#include <juce_audio_formats/juce_audio_formats.h>

#include <filesystem>
#include <iostream>

namespace
{
    constexpr double demoSampleRate = 44100.0;
    constexpr double ringOutSeconds = 0.25;
    constexpr double longestPluginTailSeconds = 10.0;

    /** JUCE's plug-in hosting reports its steps to the log; the renderer's output is its own. */
    struct QuietLog : public juce::Logger
    {
        QuietLog()              { setCurrentLogger (this); }
        ~QuietLog() override    { setCurrentLogger (nullptr); }
        void logMessage (const juce::String&) override {}
    };

    int fail (const juce::String& message)
    {
        std::cerr << "halvenek-render: " << message << std::endl;
        return 1;
    }

    bool isSameFile (const juce::File& a, const juce::File& b)
    {
        if (a == b)
            return true;

        std::error_code error;
        return a.exists() && b.exists()
            && std::filesystem::equivalent (a.getFullPathName().toStdString(), b.getFullPathName().toStdString(), error);
    }

    /** The input file as a stereo buffer (a mono file on both sides) and its sample rate. */
    juce::String readInput (const juce::File& file, juce::AudioBuffer<float>& audio, double& sampleRate)
    {
        juce::AudioFormatManager formats;
        formats.registerFormat (new juce::WavAudioFormat(), true);

        std::unique_ptr<juce::AudioFormatReader> reader (file.existsAsFile() ? formats.createReaderFor (file) : nullptr);

        if (reader == nullptr)
            return "cannot read " + file.getFullPathName() + ": not a readable WAV file";

        if (reader->numChannels < 1 || reader->numChannels > 2)
            return file.getFullPathName() + " has " + juce::String (reader->numChannels) + " channels; only mono and stereo files are rendered";

        if (reader->sampleRate <= 0.0 || reader->lengthInSamples > std::numeric_limits<int>::max() / 2)
            return "cannot read " + file.getFullPathName() + ": unusable sample rate or length";

        const int length = (int) reader->lengthInSamples;
        audio.setSize (2, length);
        reader->read (&audio, 0, length, 0, true, true);

        if (reader->numChannels == 1)
            audio.copyFrom (1, 0, audio, 0, 0, length);

        sampleRate = reader->sampleRate;
        return {};
    }

    juce::String writeOutput (const juce::File& file, const juce::AudioBuffer<float>& audio, double sampleRate)
    {
        juce::TemporaryFile temporary (file);
        {
            std::unique_ptr<juce::OutputStream> stream (temporary.getFile().createOutputStream());
            std::unique_ptr<juce::AudioFormatWriter> writer;

            if (stream != nullptr)
                writer.reset (juce::WavAudioFormat().createWriterFor (stream.get(), sampleRate, 2, 32, {}, 0));

            if (writer == nullptr)
                return "cannot write " + file.getFullPathName();

            stream.release();

            if (! writer->writeFromAudioSampleBuffer (audio, 0, audio.getNumSamples()))
                return "cannot write " + file.getFullPathName();
        }

        if (! temporary.overwriteTargetFileWithTemporary())
            return "cannot write " + file.getFullPathName();

        return {};
    }

    int run (const RenderOptions& options)
    {
        juce::AudioBuffer<float> input;
        double sampleRate = options.sampleRate.value_or (demoSampleRate);
        auto preset = options.preset;

        if (options.rendersDemo())
        {
            input = DemoPhrase::synthesise (sampleRate);
            preset = preset.value_or (0);
        }
        else
        {
            if (isSameFile (options.input, options.output))
                return fail ("the output file is the input file; choose another output name");

            if (auto error = readInput (options.input, input, sampleRate); error.isNotEmpty())
                return fail (error);
        }

        juce::String error;
        const auto location = options.plugin.isNotEmpty() ? options.plugin : HostedPlugin::defaultPlugin();
        auto plugin = HostedPlugin::load (location, sampleRate, options.blockSize, error);

        if (plugin == nullptr)
            return fail (error);

        if (options.bank != juce::File())
        {
            if (error = plugin->loadBank (options.bank); error.isNotEmpty())
                return fail (error);

            preset = preset.value_or (0);
        }

        if (preset.has_value())
            plugin->selectPreset (*preset, sampleRate, options.blockSize);

        if (error = plugin->setParameters (options.parameterValues); error.isNotEmpty())
            return fail (error);

        OfflineRender::Settings settings;
        settings.sampleRate = sampleRate;
        settings.blockSize = options.blockSize;
        settings.tempo = options.tempo;
        settings.tailSamples = (int) (sampleRate * (ringOutSeconds + juce::jlimit (0.0, longestPluginTailSeconds, plugin->instance().getTailLengthSeconds())));

        const double seconds = input.getNumSamples() / sampleRate;
        OfflineRender::Result result;
        {
            ProgressBar progress (seconds > 1.0);
            result = OfflineRender::render (plugin->instance(), input, settings, [&] (double done) { progress.show (done); });
        }

        if (error = writeOutput (options.output, result.audio, sampleRate); error.isNotEmpty())
            return fail (error);

        const double renderedSeconds = result.audio.getNumSamples() / sampleRate;
        std::cout << "Wrote " << options.output.getFullPathName() << " (" << juce::String (renderedSeconds, 2) << " s, stereo, 32-bit float, "
                  << juce::String (sampleRate, 0) << " Hz)" << std::endl;

        if (options.showTime)
            std::cout << "Processing time: " << juce::String (1000.0 * result.processingSeconds / juce::jmax (1.0e-9, renderedSeconds), 3)
                      << " ms per second of audio" << std::endl;

        return 0;
    }
}

int main (int argc, char* argv[])
{
    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const QuietLog quiet;

    juce::StringArray arguments;

    for (int i = 1; i < argc; ++i)
        arguments.add (juce::String::fromUTF8 (argv[i]));

    RenderOptions options;

    if (auto error = RenderOptions::parse (arguments, options); error.isNotEmpty())
        return fail (error);

    if (options.showHelp)
    {
        std::cout << RenderOptions::usage();
        return 0;
    }

    return run (options);
}
