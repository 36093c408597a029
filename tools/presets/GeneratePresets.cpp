// Writes the embedded default preset and factory bank from the table in FactoryBank.cpp:
//
//   halvenek_presets <resources folder>
//
// The files are checked in; run this after editing the table.

#include "FactoryBank.h"

#include "framework/parameters/ParameterManager.h"
#include "framework/parameters/XmlReading.h"
#include "framework/presets/PresetFormat.h"

#include <cmath>
#include <iostream>
#include <stdexcept>

namespace
{
    const juce::String productName = "Halvenek";
    constexpr int numPresetableParameters = 23;

    /** Unit values of the table to normalised parameter values, the inverse of what the
        engine and the value texts make of them. */
    namespace Normalise
    {
        float rate (double hz)
        {
            // The free rate is 0.01263019463426548 * exp (7.367528706904771 * v) - 0.00263019462995602 Hz.
            const double v = std::log ((hz + 0.00263019462995602) / 0.01263019463426548) / 7.367528706904771;
            return (float) juce::jlimit (0.0, 1.0, v);
        }

        float noteRate (const juce::String& note)
        {
            // The texts run from "1/32" at value 1 down to "16" at value 0 in nine steps.
            const juce::StringArray texts { "1/32", "1/16", "1/8", "1/4", "1/2", "1", "2", "4", "8", "16" };
            const int index = texts.indexOf (note);

            if (index < 0)
                throw std::invalid_argument ("unknown note rate " + note.toStdString());

            return (float) (9 - index) / 9.0f;
        }

        float step (int stepIndex, int lastStep)    { return (float) stepIndex / (float) lastStep; }
        float milliseconds (double ms)              { return (float) juce::jlimit (0.0, 1.0, ms / 15.0); }
        float percent (int p)                       { return (float) juce::jlimit (0, 100, p) / 100.0f; }

        float degrees (int deg)
        {
            // Half a degree up, so that the text (which truncates) shows the degree meant.
            return deg >= 180 ? 1.0f : (float) (juce::jmax (0, deg) + 0.5) / 180.0f;
        }

        float hiPass (double hz)                    { return (float) juce::jlimit (0.0, 1.0, (hz - 0.01) / 800.0); }
        float outputVolume (double db)              { return (float) std::sqrt (std::pow (10.0, db / 20.0) / 4.0); }
    }

    class PresetWriter
    {
    public:
        PresetWriter (const ParameterManager& p, Preset& target) : parameters (p), preset (target) {}

        void set (const juce::String& parameterName, float value)
        {
            const auto* parameter = parameters.getParameterByName (parameterName);

            if (parameter == nullptr)
                throw std::invalid_argument ("unknown parameter " + parameterName.toStdString());

            preset.setValue (parameter->getIndex(), value);
        }

        void setLfo (int number, const FactoryBank::Lfo& lfo)
        {
            const auto lfoName = "LFO " + juce::String (number) + " ";
            set (lfoName + "Rate", Normalise::rate (lfo.rateHz));
            set (lfoName + "Note Rate", Normalise::noteRate (lfo.noteRate));
            set (lfoName + "Sync", Normalise::step ((int) lfo.sync, 3));
            set (lfoName + "Depth", Normalise::milliseconds (lfo.depthMs));
            set (lfoName + "Offset", Normalise::milliseconds (lfo.offsetMs));
            set (lfoName + "Waveform", Normalise::step ((int) lfo.wave, 5));
            set ("Path " + juce::String (number) + " Volume", Normalise::percent (lfo.volumePercent));
            set (lfoName + "Tremolo", Normalise::percent (lfo.tremoloPercent));
            set (lfoName + "Stereo Phase", Normalise::degrees (lfo.stereoPhaseDegrees));
        }

        void setAll (const FactoryBank::Preset& source)
        {
            preset.setName (source.name);
            setLfo (1, source.lfo1);
            setLfo (2, source.lfo2);
            set ("LFO 2 Synchronize", source.lfo2FollowsLfo1 ? 1.0f : 0.0f);
            set ("BBD", source.bbd ? 1.0f : 0.0f);
            set ("Hi Pass Frequency", Normalise::hiPass (source.hiPassHz));
            set ("FX", Normalise::percent (source.wetPercent));
            set ("Output Volume", Normalise::outputVolume (source.outputDb));
        }

    private:
        const ParameterManager& parameters;
        Preset& preset;
    };

    bool write (const juce::XmlElement& element, const juce::File& file)
    {
        if (XmlReading::writeToFile (element, file))
            return true;

        std::cerr << "cannot write " << file.getFullPathName() << "\n";
        return false;
    }
}

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: halvenek_presets <resources folder>\n";
        return 2;
    }

    const juce::ScopedJuceInitialiser_GUI juceInitialiser;
    const juce::File folder = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);

    ParameterManager parameters;
    parameters.loadDefinitions ("parameters.xml");

    if (parameters.getNumParameters() < numPresetableParameters)
    {
        std::cerr << "the parameter definitions are missing\n";
        return 1;
    }

    const PresetFormat format (parameters, productName);

    Preset defaults (numPresetableParameters, "empty");

    for (int i = 0; i < numPresetableParameters; ++i)
        defaults.setValue (i, parameters.getParameterNormalisedValue (i));

    PresetBank bank (numPresetableParameters);
    std::vector<PresetGroup> groups;
    int slot = 0;

    try
    {
        for (const auto& group : FactoryBank::groups())
        {
            for (const auto& preset : group.presets)
            {
                if (slot >= PresetBank::numSlots)
                    throw std::length_error ("more presets than slots");

                PresetWriter (parameters, *bank.getPreset (slot++)).setAll (preset);
            }

            groups.push_back ({ group.name, (int) group.presets.size() });
        }
    }
    catch (const std::exception& e)
    {
        std::cerr << e.what() << "\n";
        return 1;
    }

    // Only the factory groups are written; reading the bank adds "Not used" for the rest.
    bank.setGroups (groups);

    if (! write (*format.createPresetElement (defaults), folder.getChildFile ("default.hlprs"))
        || ! write (*format.createBankElement (bank), folder.getChildFile ("default.hlprsb")))
        return 1;

    std::cout << "wrote " << slot << " presets in " << groups.size() << " groups to "
              << folder.getFullPathName() << "\n";
    return 0;
}
