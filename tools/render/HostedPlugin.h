#pragma once

#include "RenderOptions.h"

#include <juce_audio_processors/juce_audio_processors.h>

/** The plug-in the renderer plays through, loaded through JUCE's plug-in hosting (VST, VST3,
    LV2) like a DAW loads it, and set up from the command line: bank, preset, parameters. */
class HostedPlugin
{
public:
    /** Loads the plug-in at a path or LV2 URI for stereo processing; the error is set and
        the result null when it cannot be loaded. */
    static std::unique_ptr<HostedPlugin> load (const juce::String& pathOrUri, double sampleRate, int blockSize, juce::String& error);

    /** The Halvenek VST built with this tool, or the one installed for the user. */
    static juce::String defaultPlugin();

    juce::AudioPluginInstance& instance() noexcept      { return *plugin; }

    /** Loads a Halvenek bank file into the plug-in's bank; the one-line error otherwise. */
    juce::String loadBank (const juce::File& bankFile);

    /** Makes a preset of the plug-in's bank current with a MIDI program change, as a MIDI
        controller would, and lets the change finish before the render starts. */
    void selectPreset (int presetNumber, double sampleRate, int blockSize);

    /** Sets each parameter named by its full name or the exact name the host shows; the
        one-line error (with the valid names) for any other name. */
    juce::String setParameters (const std::vector<RenderOptions::ParameterValue>&);

private:
    HostedPlugin (std::unique_ptr<juce::AudioPluginInstance>);

    /** The parameter's full name where the plug-in tells it, else the name the host shows
        (a VST 2.4 host shows names cut to 15 bytes). */
    juce::String getName (int index) const;

    /** The parameter with this full or shown name. */
    juce::AudioProcessorParameter* findParameter (const juce::String& name) const;
    juce::String parameterNames() const;

    std::unique_ptr<juce::AudioPluginInstance> plugin;
    juce::StringArray fullNames;
};
