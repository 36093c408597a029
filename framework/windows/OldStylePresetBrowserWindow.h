#pragma once

#include "ComponentRow.h"
#include "HeldButtonRepeater.h"
#include "OldStylePresetsBrowser.h"
#include "WindowComponent.h"
#include "../editor/controls/TextButtonEx.h"
#include "../parameters/Parameter.h"

/** The preset browser with its buttons: group edits, copy and paste, stepping through
    presets (held "Up" and "Down" repeat), and loading and saving single presets and
    banks through the file chooser.

    It follows the preset manager through the "Current Preset Number" and "Current Preset
    Name" parameters, so program changes, renames, state restores and bank loads from any
    source show while it is open. */
class OldStylePresetBrowserWindow : public WindowComponent,
                                    public Parameter::Listener
{
public:
    explicit OldStylePresetBrowserWindow (BasePluginOldStyle& processor);
    ~OldStylePresetBrowserWindow() override;

    /** The form the editor docks under its skin: a plain panel with a strip on top. */
    void useDockedForm();

    /** "Add Group" needs exactly one selected group, "Rem Group" an empty one. */
    void updateButtonStates();

    OldStylePresetsBrowser& getBrowser() noexcept       { return browser; }

    enum ButtonId { addGroup, removeGroup, copy, paste, up, down, loadPreset, savePreset, loadBank, saveBank, numButtons };
    juce::Button& getButton (ButtonId id) const         { return *buttons[(size_t) id]; }
    HeldButtonRepeater& getRepeater (bool ofDown) noexcept { return ofDown ? *downRepeater : *upRepeater; }

    void buttonClicked (juce::Button*) override;
    void parameterChanged (Parameter&) override;
    void resized() override;

    static constexpr int initialWidth = 639, initialHeight = 350;
    static constexpr int browserGap = 5;
    static constexpr int couldNotSavePriority = 6, couldNotSaveLifetimeMs = 3000;

private:
    juce::ImageButton& addImageButton (ButtonId, const juce::String& name, const juce::String& tooltip, int picture);
    TextButtonEx& addTextButton (ButtonId, const juce::String& text, const juce::String& tooltip);
    juce::Label& addRowLabel (const juce::String& text);

    void onButton (ButtonId);
    void addGroupAtSelection();
    void removeSelectedGroup();

    /** Asks for a file, then hands it on unless the user cancelled or the window is gone. */
    void chooseFile (const juce::String& dialogTitle, const juce::String& patterns, bool saving,
                     std::function<void (OldStylePresetBrowserWindow&, const juce::File&)> use);

    void loadPresetFrom (const juce::File&);
    void savePresetTo (juce::File);
    void loadBankFrom (const juce::File&);
    void saveBankTo (juce::File);

    /** A failed save is reported in the editor's status bar. */
    void reportSaveFailure (const juce::File&);

    BasePluginOldStyle& processor;
    OldStylePresetsBrowser browser { this, processor };
    ComponentRow buttonColumn { true };
    ComponentRow bottomRow { false, 4, ComponentRow::alignCentre };
    std::array<std::unique_ptr<juce::Button>, numButtons> buttons;
    juce::OwnedArray<juce::Label> rowLabels;
    std::unique_ptr<HeldButtonRepeater> upRepeater, downRepeater;
    Parameter* presetNumber = nullptr;
    Parameter* presetName = nullptr;
};
