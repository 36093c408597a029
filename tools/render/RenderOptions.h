#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

/** What a halvenek-render command line asks for. */
struct RenderOptions
{
    struct ParameterValue
    {
        juce::String name;
        float value;
    };

    /** The sample rates rendered: the range the plug-in runs at. */
    static constexpr double lowestRate = 8000.0, highestRate = 384000.0;

    juce::File input;                       // no file: the demo phrase
    juce::File output;
    std::optional<int> preset;
    juce::File bank;                        // no file: the plug-in's own bank
    std::vector<ParameterValue> parameterValues;
    double tempo = 120.0;
    std::optional<double> sampleRate;
    int blockSize = 512;
    juce::String plugin;                    // empty: the built Halvenek VST
    bool showTime = false;
    bool showHelp = false;

    bool rendersDemo() const                { return input == juce::File(); }

    /** Reads the arguments (without the program name) into options; the one-line error when
        they cannot be used, or an empty string. Relative paths are taken from the working
        directory. */
    static juce::String parse (const juce::StringArray& arguments, RenderOptions& options);

    static juce::String usage();
};
