#include "AmberCrestEffect.h"

AmberCrestEffect::AmberCrestEffect (int numberOfHostParameters)
    : BasePluginOldStyle (numberOfHostParameters)
{
}

void AmberCrestEffect::prepareToPlay (double, int) {}
void AmberCrestEffect::releaseResources() {}
void AmberCrestEffect::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) {}
