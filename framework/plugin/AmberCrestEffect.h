#pragma once

#include "BasePluginOldStyle.h"

/** The product line's effect processor: it owns the DSP core and runs it on the audio
    thread. */
class AmberCrestEffect : public BasePluginOldStyle
{
public:
    explicit AmberCrestEffect (int numberOfHostParameters);

    using juce::AudioProcessor::processBlock;

    void prepareToPlay (double sampleRate, int maximumBlockSize) override;
    void releaseResources() override;
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;

    /** Puts the product's `UniqueData` (empty in this product) in front of the state. */
    std::unique_ptr<juce::XmlElement> createPluginState() override;
};
