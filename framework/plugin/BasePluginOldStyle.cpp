#include "BasePluginOldStyle.h"
#include "Resources.h"
#include "Vst3ProgramListNotifier.h"

#include "../parameters/AudioThreadSafeAsyncUpdater.h"
#include "../parameters/NumberText.h"
#include "../parameters/XmlReading.h"

/** Tells a host that lists the slots as programs that the current slot or the slots' names
    changed. The changes may come on the audio thread (program changes, the silent preset
    change); the host hears of them on the message thread. */
class BasePluginOldStyle::HostProgramAnnouncer : private AudioThreadSafeAsyncUpdater
{
public:
    explicit HostProgramAnnouncer (juce::AudioProcessor& processorToAnnounce) : processor (processorToAnnounce) {}

    ~HostProgramAnnouncer() override    { cancelPendingUpdate(); }

    void currentChanged() noexcept      { raise (currentFlag); }
    void namesChanged() noexcept        { raise (namesFlag | currentFlag); }  // a move can change the current number

    /** Message thread. */
    void setVst3ComponentHandler ([[maybe_unused]] Steinberg::FUnknown* handler)
    {
       #if JucePlugin_Build_VST3
        vst3ProgramList.setComponentHandler (handler);
       #endif
    }

private:
    static constexpr int currentFlag = 1, namesFlag = 2;

    void raise (int flag) noexcept
    {
        pending.fetch_or (flag);
        triggerUpdateFromAnyThread();
    }

    void handleAsyncUpdate() override
    {
        const auto flags = pending.exchange (0);
        processor.updateHostDisplay (juce::AudioProcessor::ChangeDetails()
                                         .withProgramChanged ((flags & currentFlag) != 0)
                                         .withParameterInfoChanged ((flags & namesFlag) != 0));

       #if JucePlugin_Build_VST3
        if ((flags & namesFlag) != 0)
            vst3ProgramList.announceNamesChanged();   // VST3 hosts re-read names only when told so
       #endif
    }

    juce::AudioProcessor& processor;
   #if JucePlugin_Build_VST3
    Vst3ProgramListNotifier vst3ProgramList;
   #endif
    std::atomic<int> pending { 0 };
};

BasePluginOldStyle::BasePluginOldStyle (int numberOfHostParameters)
    : BasePlugin (numberOfHostParameters),
      presetableCount (getNumHostParameters()),
      bank (presetableCount),
      defaultPreset (presetableCount),
      clipboardPreset (presetableCount)
{
    auto& parameters = getParameterManager();
    parameters.addParameter (std::make_unique<IntParameter> (ParameterManager::currentPresetNumberIndex,
                                                             "Current Preset Number", 0, numPresets - 1));
    parameters.addParameter (std::make_unique<StringParameter> (ParameterManager::currentPresetNameIndex,
                                                                "Current Preset Name"));

    for (int i = 0; i < presetableCount; ++i)
        defaultPreset.setValue (i, parameters.getParameterNormalisedValue (i));

    if (exposesPrograms())
        hostProgramAnnouncer = std::make_unique<HostProgramAnnouncer> (*this);
}

BasePluginOldStyle::~BasePluginOldStyle() = default;

void BasePluginOldStyle::initialise()
{
    BasePlugin::initialise();
    recentDirectory = juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName();
    loadUserSettings();
    loadStartupMidiMap();
    loadDefaultPreset();
    loadStartingBank();
    applyCurrentPreset();
    renotifyNonPresetableParameters();
}

void BasePluginOldStyle::collectUserSettings (UserSettings::Values& values) const
{
    BasePlugin::collectUserSettings (values);
    values.recentDirectory = recentDirectory;
    values.defaultPresets = defaultPresetsMode;
    values.userPresetBankFile = userPresetBankFile;
    values.storing = getStoringMode();
    values.changing = getChangingMode();
}

void BasePluginOldStyle::applyUserSettings (const UserSettings::Values& values)
{
    BasePlugin::applyUserSettings (values);
    setRecentDirectory (values.recentDirectory);
    setDefaultPresetsMode (values.defaultPresets);
    setUserPresetBankFile (values.userPresetBankFile);
    setChangingMode (values.changing);

    if (values.storing != getStoringMode())
        setStoringMode (values.storing);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createCurrentPresetElement()
{
    return createPresetElementForSlot (current.load());
}

void BasePluginOldStyle::loadCurrentPresetElement (const juce::XmlElement& element)
{
    loadPresetIntoSlot (element, current.load());
    applyCurrentPreset();
}

void BasePluginOldStyle::loadStartingBank()
{
    switch (defaultPresetsMode)
    {
        case DefaultPresetsMode::clear:
            clearPresets();
            return;

        case DefaultPresetsMode::userDefined:
        {
            // A user bank that is missing, unreadable or not a bank falls back to the
            // factory bank: the constructed slots hold zeros, and applying them would
            // silence the plug-in.
            const auto path = userPresetBankFile;

            if (juce::File::isAbsolutePath (path) && juce::File (path).existsAsFile()
                && loadBankFile (juce::File (path)))
                return;

            break;
        }

        case DefaultPresetsMode::factory:
            break;
    }

    loadFactoryBank();
}

void BasePluginOldStyle::renotifyNonPresetableParameters()
{
    for (int i = presetableCount; i < presetableCount + nonPresetableCount; ++i)
        if (auto* parameter = getParameterManager().getParameter (i))
            parameter->notifyListeners();
}

//==============================================================================
void BasePluginOldStyle::selectPreset (int slot, bool notify)
{
    if (! juce::isPositiveAndBelow (slot, numPresets))
        return;

    current.store (slot);
    auto& parameters = getParameterManager();
    parameters.setCurrentPresetNumber (slot, notify);
    parameters.setCurrentPresetName (bank.getPresetName (slot), notify);
}

void BasePluginOldStyle::applyCurrentPreset()
{
    const int slot = current.load();

    if (const auto* preset = bank.getPreset (slot))
    {
        auto& parameters = getParameterManager();

        for (int i = 0; i < presetableCount; ++i)
            parameters.setParameterNormalisedValue (i, preset->getValue (i));

        parameters.setCurrentPresetNumber (slot, true);

        // The name is shared by reference count with the slot: no text is built here.
        parameters.setCurrentPresetName (preset->getName(), true);
    }

    presetListeners.callLastToFirst ([] (PresetManagerListener& l) { l.presetChanged(); });
}

void BasePluginOldStyle::changeToCurrentPreset()
{
    auto* changer = presetChanger.load();

    if (changingMode.load() == ChangingMode::silent && changer != nullptr)
        changer->changePreset();
    else
        applyCurrentPreset();
}

void BasePluginOldStyle::selectNextPreset()
{
    changeToPreset (current.load() + 1);
}

void BasePluginOldStyle::selectPreviousPreset()
{
    changeToPreset (current.load() - 1);
}

void BasePluginOldStyle::changeToPreset (int slot)
{
    if (! juce::isPositiveAndBelow (slot, numPresets))
        return;

    current.store (slot);
    changeToCurrentPreset();
}

void BasePluginOldStyle::handleProgramChange (int programNumber)
{
    changeToPreset (programNumber);
}

bool BasePluginOldStyle::exposesPrograms() const noexcept
{
    return wrapperType == wrapperType_LV2 || wrapperType == wrapperType_VST3;
}

int BasePluginOldStyle::getNumPrograms()
{
    return exposesPrograms() ? numPresets : 0;
}

int BasePluginOldStyle::getCurrentProgram()
{
    return exposesPrograms() ? current.load() : 0;
}

void BasePluginOldStyle::setCurrentProgram (int program)
{
    if (exposesPrograms())
        handleProgramChange (program);
}

const juce::String BasePluginOldStyle::getProgramName (int program)
{
    return exposesPrograms() ? getPresetName (program) : juce::String();
}

void BasePluginOldStyle::changeProgramName (int program, const juce::String& name)
{
    if (exposesPrograms())
        renamePreset (program, name);
}

void BasePluginOldStyle::setIComponentHandler (Steinberg::FUnknown* handler)
{
    if (hostProgramAnnouncer != nullptr)
        hostProgramAnnouncer->setVst3ComponentHandler (handler);
}

void BasePluginOldStyle::announceProgramNames() noexcept
{
    if (hostProgramAnnouncer != nullptr)
        hostProgramAnnouncer->namesChanged();
}

void BasePluginOldStyle::handleEvent (int eventNumber)
{
    switch (eventNumber)
    {
        case EventsMap::selectNextPresetEvent:      selectNextPreset(); break;
        case EventsMap::selectPreviousPresetEvent:  selectPreviousPreset(); break;
        case EventsMap::copyCurrentPresetEvent:     copyCurrentPreset(); break;
        case EventsMap::pasteCopiedPresetEvent:     pastePreset(); break;
        case EventsMap::storeCurrentPresetEvent:    storePreset (current.load()); break;
        default: break;
    }
}

//==============================================================================
void BasePluginOldStyle::storePreset (int slot)
{
    if (auto* preset = bank.getPreset (slot))
        for (int i = 0; i < presetableCount; ++i)
            preset->setValue (i, getParameterManager().getParameterNormalisedValue (i));
}

void BasePluginOldStyle::copyCurrentPreset()
{
    clipboardPreset.setName (bank.getPresetName (current.load()) + "_copy");

    for (int i = 0; i < presetableCount; ++i)
        clipboardPreset.setValue (i, getParameterManager().getParameterNormalisedValue (i));

    hasCopy = true;
}

void BasePluginOldStyle::pastePreset()
{
    if (! hasCopy)
        return;

    for (int i = 0; i < clipboardPreset.getNumValues(); ++i)
        getParameterManager().setParameterNormalisedValue (i, clipboardPreset.getValue (i));

    const int slot = current.load();

    if (auto* preset = bank.getPreset (slot))
        preset->setName (clipboardPreset.getName());

    storePreset (slot);
    applyCurrentPreset();
}

void BasePluginOldStyle::renamePreset (int slot, const juce::String& name)
{
    auto* preset = bank.getPreset (slot);

    if (preset == nullptr)
        return;

    preset->setName (name);
    announceProgramNames();

    if (slot == current.load())
        getParameterManager().setCurrentPresetName (name, true);
}

float BasePluginOldStyle::getPresetValue (int slot, int parameterIndex) const
{
    const auto* preset = bank.getPreset (slot);
    return preset != nullptr ? preset->getValue (parameterIndex) : 0.0f;
}

void BasePluginOldStyle::clearPresets()
{
    bank.clear (defaultPreset);
    announceProgramNames();
}

bool BasePluginOldStyle::recordParameterChange (Parameter& parameter)
{
    const int index = parameter.getIndex();

    if (index == ParameterManager::currentPresetNumberIndex && hostProgramAnnouncer != nullptr)
        hostProgramAnnouncer->currentChanged();

    if (index == ParameterManager::currentPresetNameIndex)
    {
        renamePreset (current.load(), parameter.getText());
        return false;
    }

    if (storingMode.load() == StoringMode::automatic && (unsigned int) index < (unsigned int) presetableCount)
        if (auto* preset = bank.getPreset (current.load()))
            preset->setValue (index, parameter.getNormalisedValue());

    return true;
}

void BasePluginOldStyle::setStoringMode (StoringMode mode)
{
    storingMode.store (mode);

    if (mode == StoringMode::automatic)
        storePreset (current.load());
}

void BasePluginOldStyle::setRecentDirectory (const juce::String& path)
{
    if (juce::File::isAbsolutePath (path) && juce::File (path).isDirectory())
        recentDirectory = path;
}

//==============================================================================
PresetFormat BasePluginOldStyle::getPresetFormat()
{
    return { getParameterManager(), getProductName() };
}

bool BasePluginOldStyle::isPresetElement (const juce::XmlElement& element)
{
    return getPresetFormat().isPresetElement (element);
}

bool BasePluginOldStyle::loadPresetIntoSlot (const juce::XmlElement& element, int slot)
{
    auto* preset = bank.getPreset (slot);

    if (preset == nullptr || ! getPresetFormat().loadPreset (element, *preset))
        return false;

    announceProgramNames();
    return true;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetElementForSlot (int slot)
{
    const auto* preset = bank.getPreset (slot);
    return preset != nullptr ? getPresetFormat().createPresetElement (*preset) : nullptr;
}

bool BasePluginOldStyle::loadBank (const juce::XmlElement& element)
{
    const bool loaded = getPresetFormat().loadBank (element, bank, defaultPreset);
    announceProgramNames();

    // The current number may stay the same while names and groups change: views of the
    // bank hear of the new bank through the number's listeners.
    if (auto* number = getParameterManager().getParameter (ParameterManager::currentPresetNumberIndex); loaded && number != nullptr)
        number->notifyListeners();

    return loaded;
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createBankElement()
{
    return getPresetFormat().createBankElement (bank);
}

std::unique_ptr<juce::XmlElement> BasePluginOldStyle::createPresetsState()
{
    auto state = std::make_unique<juce::XmlElement> ("PresetsState");
    state->setAttribute ("currentPreset", current.load());
    state->addChildElement (createBankElement().release());
    return state;
}

void BasePluginOldStyle::loadPresetsState (const juce::XmlElement& element)
{
    if (! XmlReading::hasTag (element, "PresetsState"))
        return;

    for (auto* child = element.getFirstChildElement(); child != nullptr; child = child->getNextElement())
        loadBank (*child);

    const auto number = NumberText::parseLeadingInteger (XmlReading::getAttribute (element, "currentPreset"));

    if (juce::isPositiveAndBelow (number, (long long) numPresets))
        selectPreset ((int) number, true);
}

//==============================================================================
bool BasePluginOldStyle::loadPresetFile (const juce::File& file, int slot)
{
    const auto root = XmlReading::parseFile (file);

    if (root == nullptr)
        return false;

    const bool loaded = loadPresetIntoSlot (*root, slot);

    // A document that is no preset of ours leaves the sound, and any unsaved edit, alone.
    if (loaded && slot == current.load())
        applyCurrentPreset();

    return loaded;
}

bool BasePluginOldStyle::savePresetFile (const juce::File& file, int slot)
{
    const auto element = createPresetElementForSlot (slot);
    return element != nullptr && XmlReading::writeToFile (*element, file);
}

bool BasePluginOldStyle::loadBankFile (const juce::File& file)
{
    const auto root = XmlReading::parseFile (file);
    bool loaded = false;

    if (root != nullptr)
        loaded = loadBank (*root);

    if (loaded)
        applyCurrentPreset();

    setRecentDirectory (file.getParentDirectory().getFullPathName());
    return loaded;
}

bool BasePluginOldStyle::saveBankFile (const juce::File& file)
{
    const bool written = XmlReading::writeToFile (*createBankElement(), file);
    setRecentDirectory (file.getParentDirectory().getFullPathName());
    return written;
}

bool BasePluginOldStyle::loadFactoryBank()
{
    const auto root = XmlReading::parse (Resources::loadResourceText (factoryBankFileName));

    if (root == nullptr)
        return false;

    loadBank (*root);
    applyCurrentPreset();
    return true;
}

bool BasePluginOldStyle::loadDefaultPreset()
{
    const auto root = XmlReading::parse (Resources::loadResourceText (defaultPresetFileName));

    if (root == nullptr)
        return false;

    getPresetFormat().loadPreset (*root, defaultPreset);
    return true;
}

//==============================================================================
juce::String BasePluginOldStyle::getPresetFileExtension() const
{
    return "." + (getProductPrefix() + "prs").toLowerCase();
}

juce::String BasePluginOldStyle::getBankFileExtension() const
{
    return "." + (getProductPrefix() + "prsb").toLowerCase();
}

juce::String BasePluginOldStyle::makeFilePatterns (const juce::String& extension, const juce::StringArray& further) const
{
    auto patterns = "*" + extension;

    for (const auto& e : further)
        patterns << "; *" << e;

    return patterns;
}

juce::String BasePluginOldStyle::getPresetFilePatterns() const
{
    return makeFilePatterns (getPresetFileExtension(), getFurtherPresetFileExtensions());
}

juce::String BasePluginOldStyle::getBankFilePatterns() const
{
    return makeFilePatterns (getBankFileExtension(), getFurtherBankFileExtensions());
}

//==============================================================================
void BasePluginOldStyle::reselect (const Preset* previouslyCurrent)
{
    selectPreset (bank.indexOf (previouslyCurrent), false);
    announceProgramNames();
}

void BasePluginOldStyle::movePreset (int fromSlot, int toSlot, int fromGroup, int toGroup)
{
    const auto* wasCurrent = bank.getPreset (current.load());
    bank.movePreset (fromSlot, toSlot, fromGroup, toGroup);
    reselect (wasCurrent);
}

void BasePluginOldStyle::movePresetRanges (int toGroup, int fromGroup, const juce::SparseSet<int>& positions)
{
    const auto* wasCurrent = bank.getPreset (current.load());
    bank.movePresetRanges (toGroup, fromGroup, positions);
    reselect (wasCurrent);
}

void BasePluginOldStyle::moveGroup (int group, int toPosition)
{
    const auto* wasCurrent = bank.getPreset (current.load());
    bank.moveGroup (group, toPosition);
    reselect (wasCurrent);
}
