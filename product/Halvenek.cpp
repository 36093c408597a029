#include "Halvenek.h"

#include "../framework/editor/AudioProcessorEditorWrapper.h"

#include "HalvenekCore.h"
#include "HalvenekEditor.h"
#include "HalvenekValueTexts.h"

using namespace HalvenekParameters;

Halvenek::Halvenek()
    : AmberCrestEffect (numParameters)
{
}

Halvenek::~Halvenek()
{
    saveUserSettings();

    // Components go where they were built: on the message thread or under its lock.
    const juce::MessageManagerLock messageThread;
    editorComponent.reset();
}

std::unique_ptr<Halvenek> Halvenek::create()
{
    auto processor = std::make_unique<Halvenek>();
    processor->initialise();
    processor->createEditorComponent();
    processor->getParameterManager().notifyAll();
    return processor;
}

void Halvenek::createEditorComponent()
{
    // Some formats create the processor on a host thread while JUCE's message thread
    // runs; the components are built under its lock. A process without a message loop
    // (a tool that only reads the plug-in's description) never shows an editor.
    const juce::MessageManagerLock messageThread;

    if (! messageThread.lockWasGained())
        return;

    editorComponent = std::make_unique<HalvenekEditor> (this);
    editorComponent->createFallbackControls();
    editorComponent->startPeriodicUpdates();
}

juce::AudioProcessorEditor* Halvenek::createEditor()
{
    return editorComponent != nullptr ? new AudioProcessorEditorWrapper (*this, *editorComponent) : nullptr;
}

std::unique_ptr<AmberCrestEffect::Core> Halvenek::createCore()
{
    return std::make_unique<HalvenekCore> (*this);
}

HalvenekCore* Halvenek::getHalvenekCore() const noexcept
{
    return static_cast<HalvenekCore*> (getCore());
}

//==============================================================================
juce::String Halvenek::getParameterValueText (int index)
{
    {
        const juce::ScopedLock sl (getProcessorLock());

        if (auto* engine = getHalvenekCore(); engine != nullptr && juce::isPositiveAndBelow (index, numParameters))
        {
            const int lfoIndex = juce::jmin (index / parametersPerLfo, numLfos - 1);
            return HalvenekValueTexts::forParameter (*engine, index, tempoSettings[(size_t) lfoIndex].noteRateIndex);
        }
    }

    return AmberCrestEffect::getParameterValueText (index);
}

//==============================================================================
bool Halvenek::updateTempoSettings (LfoTempoSettings& settings, int lfoParameter, double value) const
{
    if (lfoParameter == lfoNoteRate)
    {
        const int d = (int) std::floor (value * 9.0 + 0.5);

        if (9 - d == settings.noteRateIndex)
            return false;

        settings.noteRateIndex = 9 - d;
        settings.noteMultiplier = std::pow (2.0, d - 6);
        return true;
    }

    if (lfoParameter == lfoSync)
    {
        const int mode = syncModeForValue (value);

        if (mode == settings.syncMode)
            return false;

        constexpr double multipliers[] { 1.0, 1.0, 0.66666, 1.5 };
        settings.syncMode = mode;
        settings.syncMultiplier = multipliers[juce::jlimit (0, 3, mode)];
        return true;
    }

    return false;
}

void Halvenek::applyTempoSettings (int lfoIndex)
{
    const auto& settings = tempoSettings[(size_t) lfoIndex];
    const double cyclesPerBeat = settings.noteMultiplier * settings.syncMultiplier;

    if (auto* clock = getClock (lfoIndex))
        clock->setDivision (cyclesPerBeat);

    auto* engine = getHalvenekCore();
    const juce::ScopedLock sl (getProcessorLock());
    engine->setCyclesPerBeat (lfoIndex, cyclesPerBeat);

    if (engine->getSyncMode (0) != 0 && engine->getSyncMode (1) != 0)
        engine->resetLfoPhases();
}

void Halvenek::handleParameterChange (Parameter& parameter)
{
    const int index = parameter.getIndex();

    if (getHalvenekCore() == nullptr || ! juce::isPositiveAndBelow (index, lfo2Synchronize))
        return;

    const int lfoIndex = index / parametersPerLfo;
    const double value = juce::jlimit (0.0f, 1.0f, parameter.getNormalisedValue());

    if (updateTempoSettings (tempoSettings[(size_t) lfoIndex], index % parametersPerLfo, value))
        applyTempoSettings (lfoIndex);
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return Halvenek::create().release();
}
