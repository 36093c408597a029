#include "BasePlugin.h"

#include "../parameters/NumberText.h"

/** One host parameter slot as JUCE's wrappers see it: every call is forwarded to the
    processor's host-side parameter operations. */
class BasePlugin::HostParameter : public juce::AudioProcessorParameterWithID
{
public:
    /** LV2 symbols and VST3 parameter identities are derived from the ID; it must stay the
        same from release to release ("LFO 1 Rate" gives "lfo_1_rate"). */
    HostParameter (BasePlugin& ownerPlugin, int hostSlot, const juce::String& parameterName)
        : juce::AudioProcessorParameterWithID (juce::ParameterID (makeParameterID (parameterName, hostSlot), 1), parameterName),
          owner (ownerPlugin), slot (hostSlot)
    {
    }

    float getValue() const override                     { return owner.getHostParameterValue (slot); }
    void setValue (float newValue) override             { owner.setHostParameter (slot, newValue); }
    float getDefaultValue() const override              { return defaultValue; }
    void setDefaultValue (float value)                  { defaultValue = value; }
    juce::String getName (int maximumLength) const override { return owner.getHostParameterName (slot).substring (0, maximumLength); }
    juce::String getLabel() const override              { return {}; }
    bool isAutomatable() const override                 { return owner.isHostParameterAutomatable (slot); }
    juce::String getCurrentValueAsText() const override { return owner.getHostParameterText (slot); }

    juce::String getText (float value, int maximumLength) const override
    {
        // Texts in the product's units exist for the value in use; other values show as numbers.
        const auto text = value == getValue() ? owner.getHostParameterText (slot) : NumberText::formatFixed (value, 3);
        return text.substring (0, maximumLength);
    }

    float getValueForText (const juce::String& text) const override
    {
        return juce::jlimit (0.0f, 1.0f, (float) NumberText::parseNumber (text));
    }

private:
    static juce::String makeParameterID (const juce::String& name, int hostSlot)
    {
        juce::String id;

        for (auto c : name.toLowerCase())
            id << (juce::CharacterFunctions::isLetterOrDigit (c) && c < 128 ? juce::String::charToString (c) : juce::String ("_"));

        if (id.isEmpty() || ! juce::CharacterFunctions::isLetter (id[0]))
            id = "parameter_" + juce::String (hostSlot + 1);

        return id;
    }

    BasePlugin& owner;
    const int slot;
    float defaultValue = 0.0f;
};

//==============================================================================
BasePlugin::BasePlugin (int numberOfHostParameters)
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      numHostParameters (juce::jlimit (0, maxHostParameters, numberOfHostParameters))
{
    parameterManager.loadDefinitions ("parameters.xml");
    eventsMap.build ("events.xml");

    for (int slot = 0; slot < numHostParameters; ++slot)
    {
        auto* hostParameter = new HostParameter (*this, slot, parameterManager.getParameterName (slot));
        hostParameter->setDefaultValue (parameterManager.getParameterNormalisedValue (slot));
        hostParameters.add (hostParameter);
        addParameter (hostParameter);
    }
}

BasePlugin::~BasePlugin()
{
    parameterManager.removeListenerFromAll (this);
}

void BasePlugin::initialise()
{
    connectHostSlots();
    parameterManager.addListenerToAll (this);
}

void BasePlugin::connectHostSlots()
{
    const juce::ScopedLock sl (hostSlotLock);
    hostSlots.clearQuick();
    indexToSlot.clear();

    for (int slot = 0; slot < numHostParameters; ++slot)
    {
        hostSlots.add (parameterManager.getParameter (slot));
        indexToSlot[slot] = slot;
    }
}

bool BasePlugin::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto in = layouts.getMainInputChannelSet();
    const auto out = layouts.getMainOutputChannelSet();

    auto monoOrStereo = [] (const juce::AudioChannelSet& set)
    {
        return set == juce::AudioChannelSet::mono() || set == juce::AudioChannelSet::stereo();
    };

    return monoOrStereo (in) && monoOrStereo (out) && in.size() <= out.size();
}

//==============================================================================
Parameter* BasePlugin::getHostSlot (int slot) const
{
    const juce::ScopedLock sl (hostSlotLock);
    return hostSlots[slot];
}

int BasePlugin::findHostSlot (const Parameter& parameter) const
{
    const auto found = indexToSlot.find (parameter.getIndex());
    return found != indexToSlot.end() ? found->second : -1;
}

BasePlugin::HostParameter* BasePlugin::getHostParameterForSlot (int slot) const
{
    return hostParameters[slot];
}

juce::String BasePlugin::getHostParameterName (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numHostParameters))
        return {};

    if (auto* p = getHostSlot (slot))
        return p->getName();

    return "Parameter " + juce::String (slot + 1);
}

float BasePlugin::getHostParameterValue (int slot) const
{
    if (! juce::isPositiveAndBelow (slot, numHostParameters))
        return 0.0f;

    if (auto* p = getHostSlot (slot))
        return p->getNormalisedValue();

    return fallbackValues[(size_t) slot].load();
}

juce::String BasePlugin::getHostParameterText (int slot)
{
    if (! juce::isPositiveAndBelow (slot, numHostParameters))
        return {};

    if (auto* p = getHostSlot (slot))
        return getParameterValueText (p->getIndex());

    return NumberText::formatFixed (fallbackValues[(size_t) slot].load(), 9);
}

void BasePlugin::setHostParameter (int slot, float value)
{
    if (! juce::isPositiveAndBelow (slot, numHostParameters))
        return;

    fallbackValues[(size_t) slot].store (value);

    if (auto* p = getHostSlot (slot))
    {
        hostWriting[(size_t) slot].store (true);
        p->setNormalisedValue (value, true);
        hostWriting[(size_t) slot].store (false);
    }
}

juce::String BasePlugin::getParameterValueText (int index)
{
    return parameterManager.getParameterText (index);
}

//==============================================================================
void BasePlugin::parameterChanged (Parameter& parameter)
{
    updateCoreFromParameter (parameter);

    if (! recordParameterChange (parameter))
        return;

    const int slot = findHostSlot (parameter);

    if (slot >= 0 && ! hostWriting[(size_t) slot].load())
        if (auto* hostParameter = getHostParameterForSlot (slot))
            hostParameter->sendValueChangedMessageToListeners (parameter.getNormalisedValue());

    handleParameterChange (parameter);
}

void BasePlugin::parameterChangeGestureBegan (Parameter& parameter)
{
    const int slot = findHostSlot (parameter);

    if (auto* hostParameter = getHostParameterForSlot (slot))
        hostParameter->beginChangeGesture();
}

void BasePlugin::parameterChangeGestureEnded (Parameter& parameter)
{
    const int slot = findHostSlot (parameter);

    if (auto* hostParameter = getHostParameterForSlot (slot))
        hostParameter->endChangeGesture();
}
