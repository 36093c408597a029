#pragma once

#include "framework/plugin/BasePluginOldStyle.h"

#include <functional>

/** A processor with the preset manager and nothing else: no DSP core, no editor. The
    settings step of initialisation runs a function the test chooses. */
class PresetTestProcessor : public BasePluginOldStyle
{
public:
    static constexpr int numParameters = 23;

    PresetTestProcessor() : BasePluginOldStyle (numParameters) {}

    /** Stands in for reading the user settings file. */
    std::function<void (PresetTestProcessor&)> userSettings;

    /** Extensions the product declares besides its own. */
    juce::StringArray furtherPresetExtensions, furtherBankExtensions;

    int startupMidiMapLoads = 0;

    juce::String getProductName() const override    { return "Halvenek"; }
    juce::String getProductPrefix() const override  { return "HL"; }

    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    bool hasEditor() const override                 { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    float parameterValue (int index)                { return getParameterManager().getParameterNormalisedValue (index); }
    void setParameter (int index, float value)      { getParameterManager().setParameterNormalisedValue (index, value); }
    juce::String currentPresetNameParameter()       { return getParameterManager().getParameterText (ParameterManager::currentPresetNameIndex); }
    int currentPresetNumberParameter()              { return (int) getParameterManager().getParameterValue (ParameterManager::currentPresetNumberIndex); }

protected:
    void loadUserSettings() override
    {
        if (userSettings)
            userSettings (*this);
    }

    void loadStartupMidiMap() override              { ++startupMidiMapLoads; }

    juce::StringArray getFurtherPresetFileExtensions() const override { return furtherPresetExtensions; }
    juce::StringArray getFurtherBankFileExtensions() const override   { return furtherBankExtensions; }
};
