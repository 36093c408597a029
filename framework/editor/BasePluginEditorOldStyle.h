#pragma once

#include "BasePluginEditor.h"
#include "controls/GFXDisplayListener.h"

class GFXDisplay;

/** The base editor of processors with the preset manager: editing the name in the
    skin's "PresetNameDisplay" renames the current preset. */
class BasePluginEditorOldStyle : public BasePluginEditor,
                                 public GFXDisplayListener
{
public:
    explicit BasePluginEditorOldStyle (BasePluginOldStyle* processor, const juce::String& skinFileName = "skin.xml");
    ~BasePluginEditorOldStyle() override;

    /** The preset name display, or null when the skin has none. */
    GFXDisplay* getPresetNameDisplay() const noexcept   { return presetNameDisplay; }

    /** The user edited the preset name display: the current preset takes the text. */
    void displayTextChanged (GFXDisplay*) override;

private:
    GFXDisplay* presetNameDisplay = nullptr;
};
