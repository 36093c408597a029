#include "DemoPhrase.h"
#include "HostedPlugin.h"
#include "OfflineRender.h"
#include "ProgressBar.h"
#include "RenderOptions.h"
#include "WavInput.h"
#include "WavOutput.h"

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

    int run (const RenderOptions& options)
    {
        juce::AudioBuffer<float> demo;
        std::unique_ptr<WavInput> wav;
        OfflineRender::InputReader readInput;
        double sampleRate = options.sampleRate.value_or (demoSampleRate);
        juce::int64 inputLength = 0;
        auto preset = options.preset;

        if (options.rendersDemo())
        {
            demo = DemoPhrase::synthesise (sampleRate);
            inputLength = demo.getNumSamples();
            preset = preset.value_or (0);

            readInput = [&demo] (juce::AudioBuffer<float>& block, juce::int64 start, int count)
            {
                for (int channel = 0; channel < 2; ++channel)
                    block.copyFrom (channel, 0, demo, channel, (int) start, count);

                return true;
            };
        }
        else
        {
            if (isSameFile (options.input, options.output))
                return fail ("the output file is the input file; choose another output name");

            juce::String error;
            wav = WavInput::open (options.input, RenderOptions::lowestRate, RenderOptions::highestRate, error);

            if (wav == nullptr)
                return fail (error);

            sampleRate = wav->getSampleRate();
            inputLength = wav->getLength();
            readInput = [&wav] (juce::AudioBuffer<float>& block, juce::int64 start, int count) { return wav->read (block, start, count); };
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

        auto output = WavOutput::create (options.output, sampleRate, error);

        if (output == nullptr)
            return fail (error);

        OfflineRender::Settings settings;
        settings.sampleRate = sampleRate;
        settings.blockSize = options.blockSize;
        settings.tempo = options.tempo;
        settings.inputLength = inputLength;
        settings.tailSamples = (int) (sampleRate * (ringOutSeconds + juce::jlimit (0.0, longestPluginTailSeconds, plugin->instance().getTailLengthSeconds())));

        OfflineRender::Result result;
        {
            ProgressBar progress (inputLength > sampleRate);
            result = OfflineRender::render (plugin->instance(), settings, readInput,
                                            [&output] (const juce::AudioBuffer<float>& block, int count) { return output->write (block, count); },
                                            [&] (double done) { progress.show (done); });
        }

        if (result.inputFailed)
            return fail ("cannot read " + options.input.getFullPathName());

        if (result.outputFailed || ! output->finish())
            return fail ("cannot write " + options.output.getFullPathName());

        const double renderedSeconds = (double) result.length / sampleRate;
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

    // Unwinding removes the temporary output file.
    try
    {
        return run (options);
    }
    catch (const std::bad_alloc&)
    {
        return fail ("out of memory");
    }
}
