#pragma once

#include "SkinLayout.h"

/** Ivory bakelite knobs: a knurled skirt, a domed cap and a black pointer line; the
    waveform selector is a pointer ("chicken-head") knob of the same material. */
namespace KnobArt
{
    struct Geometry
    {
        float skirtRadius;
        float tickInner, tickOuter;
    };

    Geometry geometry (SkinLayout::Look look);

    /** A round knob turned to an angle (radians, clockwise from twelve o'clock). */
    void drawRoundKnob (juce::Graphics& g, juce::Point<float> centre, float skirtRadius, float angle);

    void drawPointerKnob (juce::Graphics& g, juce::Point<float> centre, float radius, float angle);

    /** A soft shadow under a knob, lit from above. */
    void drawShadow (juce::Graphics& g, juce::Point<float> centre, float radius);
}
