#pragma once

#include "Engraving.h"

/** Paints the 633 x 207 background: the anodised plate, the top bar with the product name,
    the boxes of the two chorus paths and the mixer, and everything printed around the
    controls (captions, knob scales, waveform symbols, switch positions). */
class Faceplate
{
public:
    explicit Faceplate (const Engraving& engravingToUse) : engraving (engravingToUse) {}

    juce::Image render() const;

private:
    void paintPlate (juce::Image& image) const;
    void paintTopBar (juce::Graphics& g) const;
    void paintSectionBoxes (juce::Graphics& g) const;
    void paintPathTab (juce::Graphics& g, int path) const;
    void paintControlPrint (juce::Graphics& g, const SkinLayout::Control& control) const;
    void paintWaveformSymbols (juce::Graphics& g, const SkinLayout::Control& control) const;
    void paintTempoSyncLabels (juce::Graphics& g, const SkinLayout::Control& control) const;

    juce::Rectangle<float> captionAbove (const SkinLayout::Control& control) const;

    const Engraving& engraving;
};
