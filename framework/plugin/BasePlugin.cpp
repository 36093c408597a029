#include "BasePlugin.h"

#include "../parameters/NumberText.h"
#include "../parameters/XmlReading.h"
#include "PluginState.h"

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

    // From here on only maps of this product are read, including the start-up map.
    midiControl.setMapName (getProductName());
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

//==============================================================================
void BasePlugin::handleMidiControllerMessage (const juce::MidiMessage& message)
{
    midiControl.handleMidiMessage (message);
}

juce::String BasePlugin::getMidiMapFileExtension() const
{
    return "." + getProductPrefix().toLowerCase() + "ccmap";
}

juce::String BasePlugin::getMidiMapFilePatterns() const
{
    return "*" + getMidiMapFileExtension();
}

//==============================================================================
void BasePlugin::getStateInformation (juce::MemoryBlock& block)
{
    PluginState::wrap (*createPluginState(), block);
}

void BasePlugin::setStateInformation (const void* data, int sizeInBytes)
{
    if (auto state = PluginState::unwrap (data, sizeInBytes))
        loadPluginState (*state);
}

void BasePlugin::getCurrentProgramStateInformation (juce::MemoryBlock& block)
{
    if (auto preset = createCurrentPresetElement())
        PluginState::wrap (*preset, block);
    else
        block.reset();
}

void BasePlugin::setCurrentProgramStateInformation (const void* data, int sizeInBytes)
{
    if (auto preset = PluginState::unwrap (data, sizeInBytes))
        loadCurrentPresetElement (*preset);
}

std::unique_ptr<juce::XmlElement> BasePlugin::createPluginState()
{
    auto state = std::make_unique<juce::XmlElement> ("PluginState");
    state->setAttribute ("application", getProductName());
    state->addChildElement (createParametersState().release());

    if (auto presets = createPresetsState())
        state->addChildElement (presets.release());

    state->addChildElement (midiControl.createMapXml().release());
    return state;
}

void BasePlugin::loadPluginState (const juce::XmlElement& state)
{
    if (! XmlReading::hasTag (state, "PluginState")
         || ! XmlReading::getAttribute (state, "application").equalsIgnoreCase (getProductName()))
        return;

    for (auto* child : state.getChildIterator())
    {
        if (XmlReading::hasTag (*child, "ParametersState"))
            loadParametersState (*child);
        else if (XmlReading::hasTag (*child, "PresetsState"))
            loadPresetsState (*child);
        else if (XmlReading::hasTag (*child, "MidiControlMap") || XmlReading::hasTag (*child, "MidiCCMap"))
            midiControl.loadMapXml (*child);
    }
}

std::unique_ptr<juce::XmlElement> BasePlugin::createParametersState()
{
    auto parametersState = std::make_unique<juce::XmlElement> ("ParametersState");

    for (int index = 0; index < numHostParameters; ++index)
    {
        if (auto* parameter = parameterManager.getParameter (index))
        {
            auto* param = parametersState->createNewChildElement ("param");
            param->setAttribute ("name", parameter->getName());
            param->setAttribute ("value", NumberText::formatG9 (parameter->getNormalisedValue()));
        }
    }

    return parametersState;
}

void BasePlugin::loadParametersState (const juce::XmlElement& parametersState)
{
    for (auto* param = XmlReading::firstChild (parametersState, "param"); param != nullptr;
         param = XmlReading::nextSibling (*param, "param"))
    {
        if (auto* parameter = parameterManager.getParameterByName (XmlReading::getAttribute (*param, "name")))
            parameterManager.setParameterNormalisedValue (parameter->getIndex(),
                                                          (float) NumberText::parseNumber (XmlReading::getAttribute (*param, "value")));
    }
}

//==============================================================================
juce::String BasePlugin::getMakerName() const
{
    return JucePlugin_Manufacturer;
}

SettingsLocation BasePlugin::getSettingsLocation() const
{
    return settingsLocation.has_value() ? *settingsLocation : SettingsLocation::forPlugin (getMakerName(), getProductName());
}

juce::File BasePlugin::getUserSettingsFile() const
{
    return userSettingsFile != juce::File() ? userSettingsFile : getSettingsLocation().getFileToRead();
}

void BasePlugin::loadUserSettings()
{
    UserSettings::Values values;
    collectUserSettings (values);
    const auto file = getUserSettingsFile();
    const bool read = UserSettings::load (file, getProductName(), values);

    if (read)
        applyUserSettings (values);

    // A file that is there but could not be read (damaged, another encoding, not a
    // file) is the user's: it is not replaced by these values.
    userSettingsFileRead = file;
    mayWriteUserSettings = read || ! file.exists();
}

void BasePlugin::loadStartupMidiMap()
{
    midiControl.loadStartupMap();
}

void BasePlugin::saveUserSettings() const
{
    // An instance that never read the settings must not overwrite them with defaults.
    if (userSettingsFileRead == juce::File())
        return;

    // Where the library's folder cannot be written, the user's own file is written even
    // when a system-wide one beside the library was read.
    const auto file = userSettingsFile != juce::File() ? userSettingsFile : getSettingsLocation().prepareFileToWrite();

    if (file == userSettingsFileRead && ! mayWriteUserSettings)
        return;

    UserSettings::Values values;
    collectUserSettings (values);

    if (! UserSettings::save (file, getProductName(), values))
        juce::Logger::writeToLog (getProductName() + " could not write its settings to " + file.getFullPathName());
}

void BasePlugin::collectUserSettings (UserSettings::Values& values) const
{
    values.useUserMidiMap = midiControl.getUseUserMap();
    values.userMidiMapFile = midiControl.getUserMapFile().getFullPathName();
}

void BasePlugin::applyUserSettings (const UserSettings::Values& values)
{
    midiControl.setUseUserMap (values.useUserMidiMap);
    midiControl.setUserMapFile (UserSettings::fileFromPath (values.userMidiMapFile));
}
