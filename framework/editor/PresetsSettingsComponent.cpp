#include "PresetsSettingsComponent.h"

#include "../plugin/BasePluginOldStyle.h"

namespace
{
    // The pages list the storing modes with automatic first.
    int storingIndex (UserSettings::Storing mode)   { return mode == UserSettings::Storing::automatic ? 0 : 1; }
}

BasePluginEditorOldStyle::PresetsSettingsComponent::PresetsSettingsComponent (BasePluginOldStyle& presetManager)
    : processor (presetManager)
{
    presetStoring.setSelected (storingIndex (processor.getStoringMode()), false);
    changingType.setSelected ((int) processor.getChangingMode(), false);
    defaultPresets.setSelected ((int) processor.getDefaultPresetsMode(), false);

    auto& path = defaultPresets.getPathComponent();
    path.setPath (processor.getUserPresetBankFile(), false);
    path.setChooserSettings ("Choose the bank to start with", juce::File (processor.getRecentDirectory()),
                             processor.getBankFilePatterns());
    path.addListener (this);

    for (auto* buttons : { &presetStoring, &changingType, static_cast<RadioButtons*> (&defaultPresets) })
    {
        buttons->addListener (this);
        addAndMakeVisible (buttons);
    }

    changingType.setVisible (processor.supportsSilentPresetChanges());
}

BasePluginEditorOldStyle::PresetsSettingsComponent::~PresetsSettingsComponent() = default;

void BasePluginEditorOldStyle::PresetsSettingsComponent::radioButtonsChanged (RadioButtons* buttons)
{
    const int index = buttons->getSelected();

    if (index < 0)
        return;

    if (buttons == &presetStoring)
        processor.setStoringMode (index == 0 ? UserSettings::Storing::automatic : UserSettings::Storing::onDemand);
    else if (buttons == &changingType)
        processor.setChangingMode ((UserSettings::Changing) index);
    else if (buttons == &defaultPresets)
        processor.setDefaultPresetsMode ((UserSettings::DefaultPresets) index);
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::pathChanged (PathComponent* path)
{
    processor.setUserPresetBankFile (path->getPath());
}

void BasePluginEditorOldStyle::PresetsSettingsComponent::resized()
{
    const int width = getWidth();
    const int halfWidth = width / 2 - columnGap / 2;

    presetStoring.setBounds (0, 0, changingType.isVisible() ? halfWidth : width, presetStoring.getHeight());
    changingType.setBounds (width - halfWidth, 0, halfWidth, changingType.getHeight());
    defaultPresets.setBounds (0, presetStoring.getBottom() + rowGap, width, defaultPresets.getHeight());
}
