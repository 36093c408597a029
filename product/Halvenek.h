#pragma once

#include "../framework/plugin/AmberCrestEffect.h"

/** The Halvenek stereo chorus processor. */
class Halvenek : public AmberCrestEffect
{
public:
    static constexpr int numParameters = 23;

    Halvenek();

    /** Writes the user settings file. */
    ~Halvenek() override;

    juce::String getProductName() const override   { return "Halvenek"; }
    juce::String getProductPrefix() const override { return "HL"; }

    bool hasEditor() const override                 { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }

    /** Creates and initialises a processor the way a host gets it. */
    static std::unique_ptr<Halvenek> create();
};
