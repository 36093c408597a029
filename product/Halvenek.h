#pragma once

#include "../framework/plugin/AmberCrestEffect.h"
#include "HalvenekParameters.h"

#include <array>

class HalvenekCore;

/** The Halvenek stereo chorus processor. */
class Halvenek : public AmberCrestEffect
{
public:
    static constexpr int numParameters = HalvenekParameters::numParameters;

    Halvenek();

    /** Writes the user settings file. */
    ~Halvenek() override;

    juce::String getProductName() const override   { return "Halvenek"; }
    juce::String getProductPrefix() const override { return "HL"; }

    bool hasEditor() const override                 { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

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

    std::array<LfoTempoSettings, HalvenekParameters::numLfos> tempoSettings;
};
