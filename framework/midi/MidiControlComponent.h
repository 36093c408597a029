#pragma once

#include "MidiControl.h"
#include "../windows/AlertWindow.h"
#include "../windows/CheckBox.h"
#include "../windows/ComponentRow.h"
#include "../windows/DefaultResourceCheckBox.h"
#include "../windows/FileType.h"

#include <functional>

/** The "Midi Control" page of the options: the map's assignments in a table, the learn
    mode switch, deleting one assignment or all (after asking), map files, and the map
    loaded at start-up. It follows the MIDI control as one of its listeners. */
class MidiControlComponent : public juce::Component,
                             public juce::Button::Listener,
                             public CheckBox::Listener,
                             public DefaultResourceCheckBox::Listener,
                             public MidiControl::Listener,
                             public Vexa::AlertWindow::Caller,
                             public FileType
{
public:
    class ListComponent;

    MidiControlComponent (MidiControl&, const juce::String& filePatterns, const juce::String& fileExtension);
    ~MidiControlComponent() override;

    CheckBox& getLearnCheckBox() noexcept                       { return learnCheckBox; }
    DefaultResourceCheckBox& getDefaultMapControl() noexcept    { return defaultMap; }
    ListComponent& getList() noexcept                           { return *list; }
    juce::ImageButton& getDeleteButton() noexcept               { return deleteButton; }
    juce::ImageButton& getClearButton() noexcept                { return clearButton; }
    juce::ImageButton& getLoadButton() noexcept                 { return loadButton; }
    juce::ImageButton& getSaveButton() noexcept                 { return saveButton; }

    /** The last confirmation asked, or null. */
    Vexa::AlertWindow* getConfirmation() const noexcept         { return confirmation.get(); }

    /** Shows a note to the user (a map that could not be written). */
    std::function<void (const juce::String&)> onStatusMessage;

    void buttonClicked (juce::Button*) override;
    void checkBoxChanged (CheckBox*) override;
    void defaultResourceChanged (DefaultResourceCheckBox*) override;
    void mapChanged() override;
    void learnStateChanged (MidiControl&) override;
    void alertWindowClosed (Vexa::AlertWindow*, int returnValue) override;
    void resized() override;
    void childBoundsChanged (juce::Component*) override  { resized(); }
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override                      { lookAndFeelChanged(); }

    static constexpr int learnGap = 4, defaultMapGap = 4, buttonColumnGap = 5;

private:
    void setUpButton (juce::ImageButton&, const juce::String& tooltip);
    void listSelectionChanged();
    void confirmClearAll();
    void chooseMapToLoad();
    void chooseFileToSaveMap();
    void saveMap (const juce::File&);

    struct DeferredLearnState : public juce::AsyncUpdater
    {
        explicit DeferredLearnState (MidiControlComponent& c) : page (c) {}
        void handleAsyncUpdate() override   { page.learnStateChanged (page.midiControl); }
        MidiControlComponent& page;
    };

    MidiControl& midiControl;
    DeferredLearnState deferredLearnState { *this };
    CheckBox learnCheckBox { "Midi Learn mode" };
    DefaultResourceCheckBox defaultMap { "Default map" };
    std::unique_ptr<ListComponent> list;
    juce::ImageButton deleteButton { "Delete Assign" }, clearButton { "Clear All" },
                      loadButton { "Load Map" }, saveButton { "Save Map" };
    ComponentRow buttonColumn { true, 0, ComponentRow::alignEnd };
    std::unique_ptr<Vexa::AlertWindow> confirmation;

    JUCE_DECLARE_NON_COPYABLE (MidiControlComponent)
};
