#pragma once

#include "GFXSlider.h"

/** The skin's `Knob`: a continuous rotary control turned by vertical drag. */
class GFXKnob : public GFXSlider
{
public:
    explicit GFXKnob (const juce::String& name);

protected:
    double getValueProportion() const override;
    juce::String formatUnboundValue (double value) const override;
    void preparePlaceholderFont (juce::Graphics&) const override;
};
