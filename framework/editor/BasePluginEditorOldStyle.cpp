#include "BasePluginEditorOldStyle.h"

#include "PresetsSettingsComponent.h"
#include "controls/GFXDisplay.h"
#include "../windows/OptionsWindow.h"
#include "../plugin/BasePluginOldStyle.h"
#include "../windows/OldStylePresetBrowserWindow.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle* editedProcessor, const juce::String& skinFileName)
    : BasePluginEditor (editedProcessor, skinFileName)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findControl ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    createPresetsSettings();
    createPresetBrowserWindow();
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

void BasePluginEditorOldStyle::createPresetBrowserWindow()
{
    presetBrowserWindow = std::make_unique<OldStylePresetBrowserWindow> (*getProcessor());
    addChildComponent (*presetBrowserWindow);
    presetBrowserWindow->toFront (false);

    if (auto* report = getStateReport())
        reportPresetBrowser (*report);
}

void BasePluginEditorOldStyle::reportPresetBrowser (StateReport& report)
{
    // Every group as "name:size", and the group the browser's preset column shows.
    report.addFact ("presetGroups", [this]
    {
        const auto& bank = getProcessor()->getPresetBank();
        juce::StringArray groups;

        for (int g = 0; g < bank.getGroupCount(); ++g)
            groups.add (bank.getGroupName (g) + ":" + juce::String (bank.getGroupSize (g)));

        return groups.joinIntoString ("|");
    });

    report.addFact ("browserGroup", [this]
    {
        auto* presets = presetBrowserWindow->getBrowser().getPresetColumn();
        return juce::String (presets != nullptr ? presets->getGroup() : -1);
    });
}

void BasePluginEditorOldStyle::controllerEvent (GUIController* control, int eventNumber)
{
    if (eventNumber == EventsMap::browsePresetsEvent && presetBrowserWindow != nullptr)
        presetBrowserWindow->show();
    else
        BasePluginEditor::controllerEvent (control, eventNumber);
}
