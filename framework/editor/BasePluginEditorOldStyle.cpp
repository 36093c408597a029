#include "BasePluginEditorOldStyle.h"

#include "controls/GFXDisplay.h"
#include "../plugin/BasePluginOldStyle.h"
#include "../windows/OldStylePresetBrowserWindow.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle* editedProcessor, const juce::String& skinFileName)
    : BasePluginEditor (editedProcessor, skinFileName)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findControl ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);

    createPresetBrowserWindow();
}

BasePluginEditorOldStyle::~BasePluginEditorOldStyle()
{
    if (presetNameDisplay != nullptr)
        presetNameDisplay->removeDisplayListener (this);
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
}

void BasePluginEditorOldStyle::controllerEvent (GUIController* control, int eventNumber)
{
    if (eventNumber == EventsMap::browsePresetsEvent && presetBrowserWindow != nullptr)
        presetBrowserWindow->show();
    else
        BasePluginEditor::controllerEvent (control, eventNumber);
}
