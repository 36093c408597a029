#include "OfflineRender.h"

#include "framework/plugin/InternalTransport.h"

namespace OfflineRender
{
    Result render (juce::AudioPluginInstance& plugin, const Settings& settings, const InputReader& readInput,
                   const OutputWriter& writeOutput, const std::function<void (double)>& progress)
    {
        const auto totalLength = settings.inputLength + settings.tailSamples;
        const int numIn = plugin.getTotalNumInputChannels();
        const int numOut = plugin.getTotalNumOutputChannels();

        InternalTransport transport (settings.tempo);
        transport.prepare (settings.sampleRate);
        plugin.setPlayHead (&transport);
        plugin.setNonRealtime (true);
        plugin.prepareToPlay (settings.sampleRate, settings.blockSize);

        juce::AudioBuffer<float> input (2, settings.blockSize), output (2, settings.blockSize);
        juce::AudioBuffer<float> block (juce::jmax (numIn, numOut, 1), settings.blockSize);
        juce::MidiBuffer midi;
        Result result;

        for (juce::int64 start = 0; start < totalLength && ! (result.inputFailed || result.outputFailed); start += settings.blockSize)
        {
            const int count = (int) juce::jmin ((juce::int64) settings.blockSize, totalLength - start);
            const int fromInput = (int) juce::jlimit ((juce::int64) 0, (juce::int64) count, settings.inputLength - start);

            block.setSize (block.getNumChannels(), count, false, false, true);
            block.clear();

            // A mono plug-in gets the left channel; the tail is silence.
            if (fromInput > 0)
            {
                result.inputFailed = ! readInput (input, start, fromInput);

                for (int channel = 0; channel < numIn; ++channel)
                    block.copyFrom (channel, 0, input, juce::jmin (channel, 1), 0, fromInput);
            }

            const auto began = juce::Time::getHighResolutionTicks();
            plugin.processBlock (block, midi);
            result.processingSeconds += juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - began);

            midi.clear();
            transport.advance (count);

            for (int channel = 0; channel < 2; ++channel)
                output.copyFrom (channel, 0, block, juce::jmin (channel, numOut - 1), 0, count);

            result.outputFailed = ! writeOutput (output, count);
            result.length += count;
            progress ((double) (start + count) / (double) juce::jmax ((juce::int64) 1, totalLength));
        }

        plugin.releaseResources();
        plugin.setPlayHead (nullptr);
        return result;
    }
}
