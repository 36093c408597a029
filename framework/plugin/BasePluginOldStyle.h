#pragma once

#include "BasePlugin.h"

#include "../presets/PresetBank.h"
#include "../presets/PresetFormat.h"

/** The base processor with the preset manager: the bank of 128 preset slots and their
    groups, the current preset, the clipboard, preset and bank files, the preset modes
    kept in the user settings, and the processor's event handler.

    Threads: program changes, the silent change (applyCurrentPreset from the DSP core)
    and automatic storing of host or MIDI changes run on the audio thread and allocate
    nothing; everything else runs on the message thread. Slot values are atomic, slot
    names are exchanged under a short spin lock (see Preset), and the current number and
    the modes the audio thread reads are atomic.
*/
class BasePluginOldStyle : public BasePlugin,
                           public juce::VST3ClientExtensions
{
public:
    /** Applies a preset change later, behind a fade (the DSP core). */
    class PresetChanger
    {
    public:
        virtual ~PresetChanger() = default;
        virtual void changePreset() = 0;
    };

    /** Told after every apply of the current preset. */
    class PresetManagerListener
    {
    public:
        virtual ~PresetManagerListener() = default;
        virtual void presetChanged() = 0;
    };

    /** Whether parameter changes flow into the current slot by themselves. */
    using StoringMode = UserSettings::Storing;

    /** Whether a preset change is applied at once or behind the preset changer's fade. */
    using ChangingMode = UserSettings::Changing;

    /** The bank a new instance starts with. */
    using DefaultPresetsMode = UserSettings::DefaultPresets;

    static constexpr int numPresets = PresetBank::numSlots;
    static constexpr const char* defaultPresetFileName = "default.hlprs";
    static constexpr const char* factoryBankFileName = "default.hlprsb";

    /** Adds the "Current Preset Number" and "Current Preset Name" parameters; the
        parameters 0 to numHostParameters - 1 are held in presets. */
    explicit BasePluginOldStyle (int numHostParameters = maxHostParameters);
    ~BasePluginOldStyle() override;

    /** Connects the host slots and the parameter listener, reads the user settings and
        the start-up MIDI map, loads the default preset and the starting bank and applies
        the current preset. Runs once, before the host sees the processor. */
    void initialise() override;

    void setPresetChanger (PresetChanger* changer)                     { presetChanger.store (changer); }
    void addPresetManagerListener (PresetManagerListener* listener)    { presetListeners.add (listener); }
    void removePresetManagerListener (PresetManagerListener* listener) { presetListeners.remove (listener); }

    //==============================================================================
    // The current preset.
    int getCurrentPresetNumber() const noexcept     { return current.load(); }

    /** Makes a slot current and shows it in the two preset parameters; no values are
        applied. Slots outside 0 to 127 are ignored. */
    void selectPreset (int slot, bool notify);

    /** Sets every presetable parameter from the current slot, shows the slot in the two
        preset parameters and tells the preset listeners. Allocation-free. */
    virtual void applyCurrentPreset();

    /** No wrap-around at either end. */
    void selectNextPreset();
    void selectPreviousPreset();

    /** Makes a slot current and applies it, behind the preset changer's fade when the
        changing mode is silent; slots outside 0 to 127 are ignored. */
    void changeToPreset (int slot);

    /** A MIDI program change met at its sample position on the audio thread: programs
        below 128 become current and are applied, silently when so set. */
    virtual void handleProgramChange (int programNumber);

    /** Carries out the editor events that act on presets; other numbers do nothing. */
    virtual void handleEvent (int eventNumber);

    //==============================================================================
    // Host programs. LV2 and VST3 hosts list the 128 slots by name as their presets, and
    // choosing one selects the slot as a MIDI program change does; they hear when the
    // current slot or the names change. Other hosts (the VST 2.4 layer) see no programs.
    bool exposesPrograms() const noexcept;
    int getNumPrograms() override;
    int getCurrentProgram() override;
    void setCurrentProgram (int) override;
    const juce::String getProgramName (int) override;
    void changeProgramName (int, const juce::String&) override;

    /** The VST3 wrapper hands over the host's component handler here; a VST3 host is told
        through it when the program names change. */
    void setIComponentHandler (Steinberg::FUnknown*) override;

    //==============================================================================
    // Slots.
    /** Copies the live values of the presetable parameters into a slot. */
    void storePreset (int slot);

    /** Takes the current slot's name with "_copy" appended and the live values. */
    void copyCurrentPreset();

    /** Sets the parameters to the copied values and stores them, with the copied name,
        in the current slot; nothing before the first copy. */
    void pastePreset();

    bool hasCopiedPreset() const noexcept           { return hasCopy; }
    const Preset& getCopiedPreset() const noexcept  { return clipboardPreset; }

    void renamePreset (int slot, const juce::String& name);
    juce::String getPresetName (int slot) const     { return bank.getPresetName (slot); }

    /** The value stored in a slot; 0 outside the slots or the values. */
    float getPresetValue (int slot, int parameterIndex) const;

    /** Names every slot "Preset n" with the default preset's values under one group
        "Not used"; nothing is applied. */
    void clearPresets();

    const Preset& getDefaultPreset() const noexcept { return defaultPreset; }

    int getPresetableCount() const noexcept         { return presetableCount; }
    int getNonPresetableCount() const noexcept      { return nonPresetableCount; }

    //==============================================================================
    // Files and documents. Files that cannot be read or parsed change nothing.
    /** Reads a preset file into a slot and applies the slot when it is current; a file
        that holds no preset of this product changes nothing. True when it held one. */
    bool loadPresetFile (const juce::File& file, int slot);

    /** Writes a slot's stored values; false when the slot does not exist or the file
        could not be written. */
    bool savePresetFile (const juce::File& file, int slot);

    /** Reads a bank file and applies the current preset; a file that holds no bank of
        this product changes nothing. Remembers the file's folder in every case. True when
        the file held a bank. */
    bool loadBankFile (const juce::File& file);

    /** Writes the bank and remembers the file's folder; false when the file could not be
        written. */
    bool saveBankFile (const juce::File& file);

    /** Loads the embedded factory bank and applies the current preset; true when it parsed. */
    bool loadFactoryBank();

    /** Loads the embedded default preset into the default preset; true when it parsed. */
    bool loadDefaultPreset();

    PresetFormat getPresetFormat();

    bool isPresetElement (const juce::XmlElement& element);
    bool loadPresetIntoSlot (const juce::XmlElement& element, int slot);
    std::unique_ptr<juce::XmlElement> createPresetElementForSlot (int slot);
    bool loadBank (const juce::XmlElement& element);
    std::unique_ptr<juce::XmlElement> createBankElement();

    /** `PresetsState`: the current preset number and the bank. */
    std::unique_ptr<juce::XmlElement> createPresetsState() override;

    /** Loads every bank child of a `PresetsState` and makes its current preset number
        current without applying it (a number outside 0 to 127 leaves the current one). */
    void loadPresetsState (const juce::XmlElement& element) override;

    std::unique_ptr<juce::XmlElement> createCurrentPresetElement() override;
    void loadCurrentPresetElement (const juce::XmlElement& element) override;

    void collectUserSettings (UserSettings::Values&) const override;
    void applyUserSettings (const UserSettings::Values&) override;

    juce::String getPresetFileExtension() const;
    juce::String getBankFileExtension() const;
    juce::String getPresetFilePatterns() const;
    juce::String getBankFilePatterns() const;

    //==============================================================================
    // Groups: queries and group edits on the bank; moves here, because they keep the
    // current preset current.
    PresetBank& getPresetBank() noexcept             { return bank; }
    const PresetBank& getPresetBank() const noexcept { return bank; }

    void movePreset (int fromSlot, int toSlot, int fromGroup, int toGroup);
    void movePresetRanges (int toGroup, int fromGroup, const juce::SparseSet<int>& positions);
    void moveGroup (int group, int toPosition);

    //==============================================================================
    // Settings held for the user settings file.
    StoringMode getStoringMode() const noexcept     { return storingMode.load(); }

    /** Switching to automatic stores the live values into the current slot at once. */
    void setStoringMode (StoringMode mode);

    ChangingMode getChangingMode() const noexcept   { return changingMode.load(); }
    void setChangingMode (ChangingMode mode)        { changingMode.store (mode); }

    DefaultPresetsMode getDefaultPresetsMode() const noexcept   { return defaultPresetsMode; }
    void setDefaultPresetsMode (DefaultPresetsMode mode)        { defaultPresetsMode = mode; }

    juce::String getUserPresetBankFile() const      { return userPresetBankFile; }
    void setUserPresetBankFile (const juce::String& path) { userPresetBankFile = path; }

    /** Whether presets can be changed silently (faded out and in by the core). */
    virtual bool supportsSilentPresetChanges() const { return true; }

    juce::String getRecentDirectory() const         { return recentDirectory; }

    /** Taken only when the path names an existing folder. */
    void setRecentDirectory (const juce::String& path);

protected:
    /** Further extensions (with their dot) the product accepts for preset and bank files. */
    virtual juce::StringArray getFurtherPresetFileExtensions() const { return {}; }
    virtual juce::StringArray getFurtherBankFileExtensions() const   { return {}; }

    /** Renames the current slot after a change of "Current Preset Name" (which the host
        does not hear about) and, in automatic storing mode, stores a presetable
        parameter's new value into the current slot. */
    bool recordParameterChange (Parameter&) override;

private:
    class HostProgramAnnouncer;

    /** Applies the current slot at once or hands it to the preset changer. */
    void changeToCurrentPreset();

    /** Chooses the bank by the default-presets mode, falling back to the factory bank. */
    void loadStartingBank();

    /** Gives the non-presetable parameters' listeners their values again. */
    void renotifyNonPresetableParameters();

    void reselect (const Preset* previouslyCurrent);
    void announceProgramNames() noexcept;
    juce::String makeFilePatterns (const juce::String& extension, const juce::StringArray& further) const;

    const int presetableCount;
    const int nonPresetableCount = 0;

    PresetBank bank;
    Preset defaultPreset;
    Preset clipboardPreset;
    bool hasCopy = false;
    std::atomic<int> current { 0 };

    std::atomic<StoringMode> storingMode { StoringMode::onDemand };
    std::atomic<ChangingMode> changingMode { ChangingMode::normal };
    DefaultPresetsMode defaultPresetsMode = DefaultPresetsMode::factory;
    juce::String userPresetBankFile;
    juce::String recentDirectory;

    std::atomic<PresetChanger*> presetChanger { nullptr };
    std::unique_ptr<HostProgramAnnouncer> hostProgramAnnouncer;
    ListenerArray<PresetManagerListener> presetListeners;

    JUCE_DECLARE_NON_COPYABLE (BasePluginOldStyle)
};
