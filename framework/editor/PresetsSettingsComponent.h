#pragma once

#include "BasePluginEditorOldStyle.h"
#include "../windows/DefaultResourcesRadioButtons.h"

/** The "Presets" page of the options: how presets are stored and changed, and which bank
    the plug-in starts with. Each choice goes to the preset manager at once. */
class BasePluginEditorOldStyle::PresetsSettingsComponent : public juce::Component,
                                                           public RadioButtons::Listener,
                                                           public PathComponent::Listener
{
public:
    explicit PresetsSettingsComponent (BasePluginOldStyle& processor);
    ~PresetsSettingsComponent() override;

    RadioButtons& getPresetStoring() noexcept                   { return presetStoring; }
    RadioButtons& getChangingType() noexcept                    { return changingType; }
    DefaultResourcesRadioButtons& getDefaultPresets() noexcept  { return defaultPresets; }

    void radioButtonsChanged (RadioButtons*) override;
    void pathChanged (PathComponent*) override;
    void resized() override;

    static constexpr int columnGap = 6, rowGap = 10;

private:
    BasePluginOldStyle& processor;
    RadioButtons presetStoring { "Preset storing", { "Automatic", "On demand" } };
    RadioButtons changingType { "Changing type", { "Normal", "Silent" } };
    DefaultResourcesRadioButtons defaultPresets { "Default presets", { "Factory presets", "Clear presets", "User defined" } };

    JUCE_DECLARE_NON_COPYABLE (PresetsSettingsComponent)
};
