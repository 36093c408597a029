#include "BasePluginEditorOldStyle.h"

#include "controls/GFXDisplay.h"
#include "../plugin/BasePluginOldStyle.h"

BasePluginEditorOldStyle::BasePluginEditorOldStyle (BasePluginOldStyle* editedProcessor, const juce::String& skinFileName)
    : BasePluginEditor (editedProcessor, skinFileName)
{
    presetNameDisplay = dynamic_cast<GFXDisplay*> (findControl ("PresetNameDisplay"));

    if (presetNameDisplay != nullptr)
        presetNameDisplay->addDisplayListener (this);
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
