#pragma once

#include "../framework/editor/AmberCrestEffectEditor.h"
#include "HalvenekParameters.h"

#include <array>

class GFXKnob;
class GFXSwitch;
class Halvenek;

/** Halvenek's editor: each LFO's LED follows the LFO, and each LFO shows either its free
    rate knob or, when locked to the host tempo, its note-rate switch in the same place. */
class HalvenekEditor : public AmberCrestEffectEditor
{
public:
    explicit HalvenekEditor (Halvenek* processor, const juce::String& skinFileName = "skin.xml");

    /** Runs the base's update, then sets the LFO LEDs. */
    void updateFromTimer() override;

    /** A change of an LFO's sync mode swaps its rate knob and note-rate switch. */
    void parameterChanged (Parameter&) override;

private:
    struct LfoControls
    {
        GFXAnimation* led = nullptr;
        GFXKnob* rateKnob = nullptr;
        GFXSwitch* rateSwitch = nullptr;
        int shownSyncMode = -1;     // none yet, so the first notification sets the visibility
    };

    void showRateControls (LfoControls&, int syncMode);

    Halvenek& halvenek;
    std::array<LfoControls, HalvenekParameters::numLfos> lfos;
};
