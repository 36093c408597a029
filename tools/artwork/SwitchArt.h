#pragma once

#include "Engraving.h"

/** Slide switches with chrome caps and the chrome bat-handle toggle. */
namespace SwitchArt
{
    /** The tempo-sync slide switch at one of its four positions. */
    void drawTempoSync (juce::Graphics& g, juce::Rectangle<float> area, int position, int positions);

    /** The vertical note-rate selector with its ten note values; the chosen one is lit. */
    void drawNoteRate (juce::Graphics& g, const Engraving& engraving, juce::Rectangle<float> area, int position, int positions);

    /** A bat-handle toggle, lever up when on. */
    void drawBatToggle (juce::Graphics& g, juce::Rectangle<float> area, bool on);

    /** A chrome slider cap centred on a point. */
    void drawSliderCap (juce::Graphics& g, juce::Rectangle<float> cap, bool vertical);

    /** A recessed slot for a slider. */
    void drawSlot (juce::Graphics& g, juce::Rectangle<float> slot);
}
