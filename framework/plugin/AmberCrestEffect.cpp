#include "AmberCrestEffect.h"

AmberCrestEffect::AmberCrestEffect (int numberOfHostParameters)
    : BasePluginOldStyle (numberOfHostParameters)
{
}

void AmberCrestEffect::prepareToPlay (double, int) {}
void AmberCrestEffect::releaseResources() {}
void AmberCrestEffect::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) {}

std::unique_ptr<juce::XmlElement> AmberCrestEffect::createPluginState()
{
    auto state = BasePluginOldStyle::createPluginState();
    state->insertChildElement (new juce::XmlElement ("UniqueData"), 0);
    return state;
}
