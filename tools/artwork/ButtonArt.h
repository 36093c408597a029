#pragma once

#include "Engraving.h"

/** The top bar's push buttons and the lamp push-button of the BBD switch. */
namespace ButtonArt
{
    /** A black push button; pressed buttons sit lower and their legend turns amber. */
    void drawPushButton (juce::Graphics& g, const Engraving& engraving, SkinLayout::Look look,
                         juce::Rectangle<float> area, bool pressed);

    /** The latching lamp button: lit when on, pushed in while held. */
    void drawLampButton (juce::Graphics& g, juce::Rectangle<float> area, bool on, bool pressed);
}
