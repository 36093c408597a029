#pragma once

#include "../editor/EventsMap.h"
#include "../midi/MidiControl.h"
#include "../parameters/ParameterManager.h"
#include "SettingsLocation.h"
#include "UserSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <optional>
#include <unordered_map>

/** The base processor of the product line: parameters built from the embedded definition
    file, the host parameter slots, the processor's parameter listener that passes every
    change on to the product, the presets and the host, the MIDI controller map, the state
    blocks exchanged with the host and the user settings file.

    A host change is never echoed back to the host; a change from anywhere else (editor,
    preset, MIDI) is reported as automation, and editor gestures as change gestures.
*/
class BasePlugin : public juce::AudioProcessor,
                   public Parameter::Listener
{
public:
    static constexpr int maxHostParameters = 128;

    /** Builds the parameters from "parameters.xml" and the events map. The host sees
        numHostParameters slots (128 in the base class). */
    explicit BasePlugin (int numHostParameters = maxHostParameters);
    ~BasePlugin() override;

    /** Runs once after construction: connects the host slots, registers the processor's
        parameter listener and names the MIDI maps after the product. Subclasses extend it. */
    virtual void initialise();

    virtual juce::String getProductName() const = 0;
    virtual juce::String getProductPrefix() const = 0;

    ParameterManager& getParameterManager() noexcept    { return parameterManager; }
    EventsMap& getEventsMap() noexcept                  { return eventsMap; }
    MidiControl& getMidiControl() noexcept              { return midiControl; }

    /** ".hlccmap" for prefix "HL", and the file chooser pattern for it. */
    juce::String getMidiMapFileExtension() const;
    juce::String getMidiMapFilePatterns() const;

    //==============================================================================
    // The host's view of the parameters, by host parameter number.
    int getNumHostParameters() const noexcept           { return numHostParameters; }
    juce::String getHostParameterName (int slot) const;
    float getHostParameterValue (int slot) const;
    juce::String getHostParameterText (int slot);
    void setHostParameter (int slot, float value);
    bool isHostParameterAutomatable (int slot) const    { return juce::isPositiveAndBelow (slot, numHostParameters); }

    /** A MIDI control-change message met at its sample position on the audio thread. */
    virtual void handleMidiControllerMessage (const juce::MidiMessage&);

    /** Audio thread: MIDI arrived (the editor's activity LED shows it). */
    void noteMidiActivity() noexcept                    { midiActivity.store (true); }

    /** Whether MIDI arrived since the last call. Reading clears the flag in the same
        atomic step, so activity in between is never lost. */
    bool takeMidiActivity() noexcept                    { return midiActivity.exchange (false); }

    /** The text the host shows for a parameter index; products answer in their own units.
        (JUCE's legacy parameter interface already uses the name getParameterText.) */
    virtual juce::String getParameterValueText (int index);

    //==============================================================================
    void parameterChanged (Parameter&) override;
    void parameterChangeGestureBegan (Parameter&) override;
    void parameterChangeGestureEnded (Parameter&) override;

    //==============================================================================
    const juce::String getName() const override         { return getProductName(); }
    bool acceptsMidi() const override                   { return true; }
    bool producesMidi() const override                  { return false; }
    bool isMidiEffect() const override                  { return false; }
    double getTailLengthSeconds() const override        { return 0.0; }
    bool isBusesLayoutSupported (const BusesLayout&) const override;

    // Presets live inside the plug-in; the host sees no programs.
    int getNumPrograms() override                       { return 0; }
    int getCurrentProgram() override                    { return 0; }
    void setCurrentProgram (int) override               {}
    const juce::String getProgramName (int) override    { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    //==============================================================================
    // State blocks. A block that is malformed or belongs to another product changes nothing.

    /** The full state: parameters, presets and the MIDI map. */
    void getStateInformation (juce::MemoryBlock&) override;
    void setStateInformation (const void* data, int sizeInBytes) override;

    /** The current preset alone; restoring it also re-applies the current preset. */
    void getCurrentProgramStateInformation (juce::MemoryBlock&) override;
    void setCurrentProgramStateInformation (const void* data, int sizeInBytes) override;

    virtual std::unique_ptr<juce::XmlElement> createPluginState();

    /** Takes a `PluginState` of this product: parameters, presets and MIDI map as present. */
    virtual void loadPluginState (const juce::XmlElement& state);

    /** One `param` (name and normalised value) per host parameter. */
    virtual std::unique_ptr<juce::XmlElement> createParametersState();
    virtual void loadParametersState (const juce::XmlElement& parametersState);

    /** The bank and the current preset number; none without a preset bank. */
    virtual std::unique_ptr<juce::XmlElement> createPresetsState()     { return nullptr; }
    virtual void loadPresetsState (const juce::XmlElement&)            {}

    /** The current slot's `Preset`; none without a preset bank. */
    virtual std::unique_ptr<juce::XmlElement> createCurrentPresetElement() { return nullptr; }

    /** Loads a `Preset` into the current slot, then applies the current preset (even when
        the element was refused). */
    virtual void loadCurrentPresetElement (const juce::XmlElement&)    {}

    //==============================================================================
    // The user settings file, read once during initialisation and written when the
    // processor goes away.

    /** The settings file read at start-up: the one set here, or where the settings
        location puts it ("<product name>.ini" beside the library, or in the user's config
        folder when the library's folder cannot be written). */
    juce::File getUserSettingsFile() const;
    void setUserSettingsFile (const juce::File& file)   { userSettingsFile = file; }
    void setUserSettingsLocation (const SettingsLocation& location) { settingsLocation = location; }

    /** The maker, under whose name the user's config folder keeps the settings. */
    virtual juce::String getMakerName() const;

    /** Initialisation step: reads the file over the values in memory and applies the
        result. Subclasses add their settings through collect and apply, not here. */
    virtual void loadUserSettings();

    /** Initialisation step, after the settings: loads the user's MIDI map if one is set. */
    virtual void loadStartupMidiMap();

    /** Writes the values in memory where the settings location says; a write that fails
        is reported on the log. Nothing is written by an instance that never read the file,
        nor over a file that was there but could not be read. Called from the product's
        destructor. */
    void saveUserSettings() const;

    /** Copies the processor's settings into the values, and back. Subclasses that hold
        settings of their own extend both. */
    virtual void collectUserSettings (UserSettings::Values&) const;
    virtual void applyUserSettings (const UserSettings::Values&);

protected:
    /** First step of the parameter listener: the product line updates its DSP core. */
    virtual void updateCoreFromParameter (Parameter&) {}

    /** Second step: preset bookkeeping. Returning false stops the change from reaching
        the host (the preset name is no host parameter). */
    virtual bool recordParameterChange (Parameter&) { return true; }

    /** Last step, after the host has been told: the product's own follow-up. */
    virtual void handleParameterChange (Parameter&) {}

private:
    class HostParameter;

    Parameter* getHostSlot (int slot) const;
    int findHostSlot (const Parameter&) const;
    HostParameter* getHostParameterForSlot (int slot) const;
    void connectHostSlots();

    ParameterManager parameterManager;
    EventsMap eventsMap;
    MidiControl midiControl { parameterManager };
    SettingsLocation getSettingsLocation() const;

    juce::File userSettingsFile, userSettingsFileRead;
    std::optional<SettingsLocation> settingsLocation;
    bool mayWriteUserSettings = false;
    std::atomic<bool> midiActivity { false };

    const int numHostParameters;
    juce::Array<Parameter*> hostSlots;
    juce::CriticalSection hostSlotLock;
    std::unordered_map<int, int> indexToSlot;
    std::array<std::atomic<float>, maxHostParameters> fallbackValues {};
    std::array<std::atomic<bool>, maxHostParameters> hostWriting {};
    juce::Array<HostParameter*> hostParameters;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (BasePlugin)
};
