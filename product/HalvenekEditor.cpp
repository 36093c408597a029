#include "HalvenekEditor.h"

#include "Halvenek.h"
#include "HalvenekCore.h"
#include "../framework/editor/controls/GFXAnimation.h"
#include "../framework/editor/controls/GFXKnob.h"
#include "../framework/editor/controls/GFXSwitch.h"

using namespace HalvenekParameters;

HalvenekEditor::HalvenekEditor (Halvenek* productProcessor, const juce::String& skinFileName)
    : AmberCrestEffectEditor (productProcessor, skinFileName),
      halvenek (*productProcessor)
{
    for (size_t i = 0; i < lfos.size(); ++i)
    {
        const auto number = juce::String ((int) i + 1);
        lfos[i].led = dynamic_cast<GFXAnimation*> (findControl ("LFO" + number + "ValueLed"));
        lfos[i].rateKnob = dynamic_cast<GFXKnob*> (findControl ("LFO" + number + "RateSlider"));
        lfos[i].rateSwitch = dynamic_cast<GFXSwitch*> (findControl ("LFO" + number + "RateSwitch"));
    }
}

void HalvenekEditor::updateFromTimer()
{
    AmberCrestEffectEditor::updateFromTimer();

    std::pair<float, float> values { 0.0f, 0.0f };

    if (auto* core = halvenek.getHalvenekCore(); core != nullptr && halvenek.isPrepared())
        values = core->getLedPair();

    if (lfos[0].led != nullptr)
        lfos[0].led->setFromNormalisedValue (values.first);

    if (lfos[1].led != nullptr)
        lfos[1].led->setFromNormalisedValue (values.second);
}

void HalvenekEditor::parameterChanged (Parameter& parameter)
{
    for (int i = 0; i < numLfos; ++i)
        if (parameter.getIndex() == forLfo (i, lfoSync))
            showRateControls (lfos[(size_t) i], syncModeForValue (parameter.getNormalisedValue()));
}

void HalvenekEditor::showRateControls (LfoControls& lfo, int syncMode)
{
    if (syncMode == lfo.shownSyncMode)
        return;

    lfo.shownSyncMode = syncMode;
    const bool freeRate = syncMode == 0;

    if (lfo.rateKnob != nullptr)
        lfo.rateKnob->setVisible (freeRate);

    if (lfo.rateSwitch != nullptr)
        lfo.rateSwitch->setVisible (! freeRate);
}
