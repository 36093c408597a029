#pragma once

#include "BasePlugin.h"

/** The base processor with the preset bank, the user settings and the processor's event
    handler. */
class BasePluginOldStyle : public BasePlugin
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

    explicit BasePluginOldStyle (int numHostParameters = maxHostParameters);

    void setPresetChanger (PresetChanger* changer)                   { presetChanger = changer; }
    void addPresetManagerListener (PresetManagerListener* listener)  { presetListeners.add (listener); }
    void removePresetManagerListener (PresetManagerListener* listener) { presetListeners.remove (listener); }

    /** Sets every presetable parameter from the current slot and tells the preset listeners. */
    virtual void applyCurrentPreset();

    /** A MIDI program change met at its sample position on the audio thread. */
    virtual void handleProgramChange (int programNumber);

    /** Carries out the editor events that act on presets; other numbers do nothing. */
    virtual void handleEvent (int eventNumber);

protected:
    PresetChanger* presetChanger = nullptr;
    ListenerArray<PresetManagerListener> presetListeners;
};
