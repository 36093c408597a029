#pragma once

#include "Engraving.h"

/** Backlit moving-coil VU meters and the panel's lamps. */
namespace MeterArt
{
    /** A VU meter with its needle at a meter value (0 to 1: 0 at -24 dB, 0.8 at 0 dB,
        1 at +6 dB), labelled with its channel. */
    void drawVuMeter (juce::Graphics& g, const Engraving& engraving, juce::Rectangle<float> area,
                      float value, const juce::String& channel);

    /** A round lamp in a chrome bezel, from dark (0) to fully lit (1). */
    void drawLamp (juce::Graphics& g, juce::Rectangle<float> area, float brightness, juce::Colour lit, juce::Colour dark);
}
