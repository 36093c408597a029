#pragma once

#include "BasePluginEditor.h"
#include "controls/GFXDisplayListener.h"
#include "../windows/RadioButtons.h"

class GFXDisplay;
class OldStylePresetBrowserWindow;

/** The base editor of processors with the preset manager: editing the name in the
    skin's "PresetNameDisplay" renames the current preset, and "Browse presets" shows the
    preset browser window. */
class BasePluginEditorOldStyle : public BasePluginEditor,
                                 public RadioButtons::Listener,
                                 public GFXDisplayListener
{
public:
    class PresetsSettingsComponent;

    explicit BasePluginEditorOldStyle (BasePluginOldStyle* processor, const juce::String& skinFileName = "skin.xml");
    ~BasePluginEditorOldStyle() override;

    /** The preset name display, or null when the skin has none. */
    GFXDisplay* getPresetNameDisplay() const noexcept   { return presetNameDisplay; }

    /** The user edited the preset name display: the current preset takes the text. */
    void displayTextChanged (GFXDisplay*) override;

    PresetsSettingsComponent* getPresetsSettings() const noexcept { return presetsSettings.get(); }

    /** The default presets changed: they take effect at the next load. */
    void radioButtonsChanged (RadioButtons*) override;

    /** "Browse presets" shows the preset browser window; the rest goes to the base. */
    void controllerEvent (GUIController*, int eventNumber) override;

    OldStylePresetBrowserWindow* getPresetBrowserWindow() const noexcept { return presetBrowserWindow.get(); }

private:
    /** The "Presets" page, first among the options. */
    void createPresetsSettings();

    void createPresetBrowserWindow();

    /** Tells the end-to-end tests the groups and the group the browser shows. */
    void reportPresetBrowser (StateReport&);

    GFXDisplay* presetNameDisplay = nullptr;
    std::unique_ptr<PresetsSettingsComponent> presetsSettings;
    std::unique_ptr<OldStylePresetBrowserWindow> presetBrowserWindow;
};
