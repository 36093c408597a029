#include "OfflineRender.h"

#include "framework/plugin/InternalTransport.h"

namespace OfflineRender
{
    Result render (juce::AudioPluginInstance& plugin, const juce::AudioBuffer<float>& input, const Settings& settings,
                   const std::function<void (double)>& progress)
    {
        const int inputLength = input.getNumSamples();
        const int totalLength = inputLength + settings.tailSamples;
        const int numIn = plugin.getTotalNumInputChannels();
        const int numOut = plugin.getTotalNumOutputChannels();

        Result result;
        result.audio.setSize (2, totalLength);

        InternalTransport transport (settings.tempo);
        transport.prepare (settings.sampleRate);
        plugin.setPlayHead (&transport);
        plugin.setNonRealtime (true);
        plugin.prepareToPlay (settings.sampleRate, settings.blockSize);

        juce::AudioBuffer<float> block (juce::jmax (numIn, numOut, 1), settings.blockSize);
        juce::MidiBuffer midi;

        for (int start = 0; start < totalLength; start += settings.blockSize)
        {
            const int count = juce::jmin (settings.blockSize, totalLength - start);
            const int fromInput = juce::jlimit (0, count, inputLength - start);

            block.setSize (block.getNumChannels(), count, false, false, true);
            block.clear();

            // A mono plug-in gets the left channel; the tail is silence.
            for (int channel = 0; channel < numIn; ++channel)
                if (fromInput > 0)
                    block.copyFrom (channel, 0, input, juce::jmin (channel, 1), start, fromInput);

            const auto began = juce::Time::getHighResolutionTicks();
            plugin.processBlock (block, midi);
            result.processingSeconds += juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - began);

            midi.clear();
            transport.advance (count);

            for (int channel = 0; channel < 2; ++channel)
                result.audio.copyFrom (channel, start, block, juce::jmin (channel, numOut - 1), 0, count);

            progress ((double) (start + count) / (double) juce::jmax (1, totalLength));
        }

        plugin.releaseResources();
        plugin.setPlayHead (nullptr);
        return result;
    }
}
