#pragma once

#include "Engraving.h"

/** Draws one frame of a skin control's filmstrip. Each frame starts as the piece of the
    faceplate the control covers, so the control's shadows and marks sit seamlessly on
    the panel and the frames need no transparency. */
class ControlArt
{
public:
    ControlArt (const Engraving& engravingToUse, const juce::Image& faceplateToUse)
        : engraving (engravingToUse), faceplate (faceplateToUse) {}

    /** The whole filmstrip of a control: its frames stacked from top to bottom. */
    juce::Image renderFilmstrip (const SkinLayout::Control& control) const;

private:
    void paintFrame (juce::Graphics& g, const SkinLayout::Control& control, int frame) const;
    void paintRateKnob (juce::Graphics& g, const SkinLayout::Control& control, float angle) const;

    const Engraving& engraving;
    const juce::Image& faceplate;
};
