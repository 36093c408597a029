#include "Halvenek.h"

Halvenek::Halvenek()
    : AmberCrestEffect (numParameters)
{
}

Halvenek::~Halvenek()
{
    saveUserSettings();
}

std::unique_ptr<Halvenek> Halvenek::create()
{
    auto processor = std::make_unique<Halvenek>();
    processor->initialise();
    processor->getParameterManager().notifyAll();
    return processor;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return Halvenek::create().release();
}
