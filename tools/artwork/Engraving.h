#pragma once

#include "PanelFonts.h"
#include "SkinLayout.h"

/** The printed parts of the faceplate that controls share: captions, knob scales and the
    waveform symbols. The rate knob's frames print their own scale with the same calls. */
class Engraving
{
public:
    explicit Engraving (const PanelFonts& fontsToUse) : fonts (fontsToUse) {}

    /** Text with a faint shadow under it, which keeps small print crisp on brushed metal. */
    void print (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area,
                juce::Justification justification, const juce::Font& font, juce::Colour colour) const;

    void printCaption (juce::Graphics& g, const juce::String& text, juce::Rectangle<float> area) const;

    /** Ticks around a knob from the minimum to the maximum, its labelled marks and its unit. */
    void printKnobScale (juce::Graphics& g, juce::Point<float> centre, float innerRadius, float outerRadius,
                         const std::vector<SkinLayout::ScaleMark>& marks, const juce::String& unit) const;

    /** One cycle of an LFO waveform (0 Triangle ... 5 Random) drawn into an area. */
    static void strokeWaveform (juce::Graphics& g, int waveform, juce::Rectangle<float> area, float thickness);

    const PanelFonts& getFonts() const noexcept  { return fonts; }

    static constexpr float captionHeight = 8.5f;
    static constexpr float scaleTextHeight = 8.5f;

private:
    const PanelFonts& fonts;
};
