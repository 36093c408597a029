#include "BasePluginEditorOldStyle.h"

#include "PresetsSettingsComponent.h"
#include "controls/GFXDisplay.h"
#include "../windows/OptionsWindow.h"
#include "../plugin/BasePluginOldStyle.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle* editedProcessor, const juce::String& skinFileName)
    : BasePluginEditor (editedProcessor, skinFileName)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findControl ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    createPresetsSettings();
}

void BasePluginEditorOldStyle::createPresetsSettings()
{
    presetsSettings = std::make_unique<PresetsSettingsComponent> (*getProcessor());
    presetsSettings->getDefaultPresets().addListener (this);
    getOptionsWindow()->getTabs().addPage ("Presets", presetsSettings.get(), 0);
}

void BasePluginEditorOldStyle::radioButtonsChanged (RadioButtons*)
{
    showSettingsNote ("Default Presets");
}

BasePluginEditorOldStyle::~BasePluginEditorOldStyle()
{
    if (presetNameDisplay != nullptr)
        presetNameDisplay->removeDisplayListener (this);

    presetsSettings.reset();
}

void BasePluginEditorOldStyle::displayTextChanged (GFXDisplay* display)
{
    if (display == nullptr)
        return;

    auto* presets = getProcessor();
    presets->renamePreset (presets->getCurrentPresetNumber(), display->getText());
}
