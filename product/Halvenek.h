#pragma once

#include "../framework/plugin/AmberCrestEffect.h"
#include "../framework/plugin/SoftwareDesignation.h"
#include "HalvenekParameters.h"

#include <array>

class HalvenekCore;
class HalvenekEditor;

/** The Halvenek stereo chorus processor. */
class Halvenek : public AmberCrestEffect,
                 public SoftwareDesignation
{
public:
    static constexpr int numParameters = HalvenekParameters::numParameters;

    Halvenek();

    /** Writes the user settings file and deletes the editor. */
    ~Halvenek() override;

    juce::String getProductName() const override   { return "Halvenek"; }
    juce::String getProductPrefix() const override { return "HL"; }

    juce::String getProductDescription() const override { return "Twin Lane Vintage Chorus"; }
    juce::String getVersionString() const override  { return "1.3.1"; }
    juce::String getWebAddress() const override     { return "https://www.amber-crest.example/halvenek"; }
    juce::String getFirstYear() const override      { return "2009"; }
    juce::String getMakerName() const override      { return "Amber Crest Audio"; }
    juce::String getBuildDate() const override      { return "2012-02-09"; }
    juce::String getEditionNote() const override    { return {}; }
    juce::String getBuildNumber() const override    { return juce::String (224) + "." + juce::String (1304); }
    juce::String getPluginFormat() const override   { return "VST"; }
    juce::String getPlatform() const override       { return "64bit"; }

    bool hasEditor() const override                 { return true; }

    /** A frame for the host's window that shows the editor component. */
    juce::AudioProcessorEditor* createEditor() override;

    /** The editor, built once when the processor is created and kept as long as it. */
    HalvenekEditor* getEditorComponent() const noexcept { return editorComponent.get(); }

    /** The value in the product's units, under the processor lock so that it never reads
        the engine in the middle of a change. */
    juce::String getParameterValueText (int index) override;

    HalvenekCore* getHalvenekCore() const noexcept;

    /** Creates and initialises a processor the way a host gets it. */
    static std::unique_ptr<Halvenek> create();

protected:
    std::unique_ptr<Core> createCore() override;
    int getNumClocks() const override               { return HalvenekParameters::numLfos; }
    bool hasQualitySettings() const override        { return false; }
    bool appliesQualityOnPrepare() const override   { return true; }

    /** Turns the note rate and sync of each LFO into the tempo-locked speed of its clock
        and of the engine. */
    void handleParameterChange (Parameter&) override;

private:
    struct LfoTempoSettings
    {
        int noteRateIndex = -1, syncMode = -1;
        double noteMultiplier = 0.0, syncMultiplier = 0.0;
    };

    bool updateTempoSettings (LfoTempoSettings&, int lfoParameter, double value) const;
    void applyTempoSettings (int lfoIndex);
    void createEditorComponent();

    std::array<LfoTempoSettings, HalvenekParameters::numLfos> tempoSettings;
    std::unique_ptr<HalvenekEditor> editorComponent;
};
