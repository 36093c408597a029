#include "RenderOptions.h"

#include <cmath>
#include <cstdlib>

namespace
{
    constexpr int highestPreset = 127;
    constexpr double lowestTempo = 20.0, highestTempo = 999.0;
    constexpr int largestBlock = 65536;

    /** The whole text as a finite decimal number; nothing for anything else. */
    std::optional<double> parseNumber (const juce::String& text)
    {
        const auto trimmed = text.trim().toStdString();
        char* end = nullptr;
        const double value = std::strtod (trimmed.c_str(), &end);

        if (trimmed.empty() || end != trimmed.c_str() + trimmed.size() || ! std::isfinite (value))
            return {};

        return value;
    }

    /** The whole text as a number within the range; nothing otherwise. */
    std::optional<double> parseNumberWithin (const juce::String& text, double lowest, double highest)
    {
        const auto value = parseNumber (text);
        return value.has_value() && *value >= lowest && *value <= highest ? value : std::nullopt;
    }

    bool isWholeNumber (const juce::String& text)
    {
        return text.isNotEmpty() && text.containsOnly ("0123456789") && text.length() <= 9;
    }

    juce::String readParameterValue (const juce::String& setting, RenderOptions& options)
    {
        const int equals = setting.lastIndexOfChar ('=');
        const auto name = setting.substring (0, equals).trim();
        const auto valueText = setting.substring (equals + 1).trim();

        if (equals < 0 || name.isEmpty() || valueText.isEmpty())
            return "--set needs \"Parameter Name=value\", got \"" + setting + "\"";

        const auto value = parseNumberWithin (valueText, 0.0, 1.0);

        if (! value.has_value())
            return "the value for \"" + name + "\" must be a number from 0 to 1, got \"" + valueText + "\"";

        options.parameterValues.push_back ({ name, (float) *value });
        return {};
    }
}

juce::String RenderOptions::parse (const juce::StringArray& arguments, RenderOptions& options)
{
    juce::StringArray files;

    for (int i = 0; i < arguments.size(); ++i)
    {
        const auto& argument = arguments[i];

        auto nextValue = [&] (juce::String& value) -> bool
        {
            if (i + 1 >= arguments.size())
                return false;

            value = arguments[++i];
            return true;
        };

        juce::String value;

        if (argument == "--help" || argument == "-h")
        {
            options.showHelp = true;
        }
        else if (argument == "--time")
        {
            options.showTime = true;
        }
        else if (argument == "--preset")
        {
            if (! nextValue (value) || ! isWholeNumber (value) || value.getIntValue() > highestPreset)
                return "--preset needs a preset number from 0 to 127";

            options.preset = value.getIntValue();
        }
        else if (argument == "--bank")
        {
            if (! nextValue (value) || value.isEmpty())
                return "--bank needs a bank file (.hlprsb)";

            options.bank = juce::File::getCurrentWorkingDirectory().getChildFile (value);
        }
        else if (argument == "--set")
        {
            if (! nextValue (value))
                return "--set needs \"Parameter Name=value\"";

            if (auto error = readParameterValue (value, options); error.isNotEmpty())
                return error;
        }
        else if (argument == "--tempo")
        {
            const auto tempo = nextValue (value) ? parseNumberWithin (value, lowestTempo, highestTempo) : std::nullopt;

            if (! tempo.has_value())
                return "--tempo needs a tempo from 20 to 999 BPM";

            options.tempo = *tempo;
        }
        else if (argument == "--rate")
        {
            const auto rate = nextValue (value) ? parseNumberWithin (value, lowestRate, highestRate) : std::nullopt;

            if (! rate.has_value())
                return "--rate needs a sample rate from 8000 to 384000 Hz";

            options.sampleRate = rate;
        }
        else if (argument == "--block")
        {
            if (! nextValue (value) || ! isWholeNumber (value) || value.getIntValue() < 1 || value.getIntValue() > largestBlock)
                return "--block needs a block size from 1 to 65536 samples";

            options.blockSize = value.getIntValue();
        }
        else if (argument == "--plugin")
        {
            if (! nextValue (value) || value.isEmpty())
                return "--plugin needs a plug-in file or LV2 URI";

            options.plugin = value;
        }
        else if (argument.startsWith ("-") && argument.length() > 1)
        {
            return "unknown option " + argument + " (see --help)";
        }
        else
        {
            files.add (argument);
        }
    }

    if (options.showHelp)
        return {};

    if (files.isEmpty())
        return "missing the output file (see --help)";

    if (files.size() > 2)
        return "too many files: give at most an input and an output WAV file";

    const auto cwd = juce::File::getCurrentWorkingDirectory();
    options.output = cwd.getChildFile (files[files.size() - 1]);

    if (files.size() == 2)
        options.input = cwd.getChildFile (files[0]);

    if (! options.output.hasFileExtension ("wav"))
        return "the output file must be a .wav file: " + options.output.getFullPathName();

    if (! options.rendersDemo() && options.sampleRate.has_value())
        return "--rate applies to the demo only; an input file is rendered at its own rate";

    return {};
}

juce::String RenderOptions::usage()
{
    return R"(Usage: halvenek-render [IN.wav] OUT.wav [options]

Renders a WAV file through the Halvenek chorus (or another plug-in) offline, hosted the way
a DAW hosts it. Without IN.wav it renders a demo: a few seconds of plucked chords through
factory preset 0.

Input: a mono or stereo WAV file, 8, 16, 24 or 32-bit integer or 32-bit float, at 8 to
384 kHz; it is read as it renders, so its length costs no memory. The output is a stereo
WAV file at the input's sample rate, always as 32-bit float (nothing is clipped), with a
short tail so that the chorus rings out; it appears only when the render is complete and
never replaces the input.

Options:
  --preset N                  select preset N (0 to 127) of the plug-in's bank first, by a
                              MIDI program change; without IN the demo uses preset 0
  --bank FILE.hlprsb          load a Halvenek bank file first (selects its preset 0 unless
                              --preset says otherwise)
  --set "Parameter Name=value"
                              set a parameter to a normalised value from 0 to 1, after the
                              preset; repeat for more, e.g. --set "FX=0.7". The name is the
                              full one or exactly the one a VST host shows
  --tempo BPM                 tempo of the host transport, 20 to 999 (default 120); the
                              transport plays in 4/4 from position 0, so tempo-synchronised
                              LFOs move as in a DAW
  --rate HZ                   sample rate of the demo (default 44100)
  --block N                   processing block size in samples (default 512)
  --plugin PATH-or-URI        render through another plug-in: a VST .so, a .vst3 bundle or
                              an LV2 URI (default: the Halvenek VST built with this tool)
  --time                      print the processing time per second of audio
  --help                      show this text
)";
}
