#include "MidiControlComponent.h"

#include "MidiControlComponentList.h"
#include "../editor/DefaultLookAndFeel.h"
#include "../plugin/UserSettings.h"
#include "../windows/FileChooserSeam.h"

namespace
{
    // Pictures of the page's buttons in the look-and-feel's picture set.
    constexpr int deletePicture = 4, clearPicture = 12, loadPicture = 15, savePicture = 16;
}

MidiControlComponent::MidiControlComponent (MidiControl& control, const juce::String& patterns, const juce::String& extension)
    : FileType (extension, patterns),
      midiControl (control),
      list (std::make_unique<ListComponent>())
{
    learnCheckBox.addListener (this);
    addAndMakeVisible (learnCheckBox);

    defaultMap.addListener (this);
    defaultMap.setPath (midiControl.getUserMapFile().getFullPathName());
    defaultMap.setChecked (midiControl.getUseUserMap());
    defaultMap.getPathComponent().setChooserSettings ("Open Midi Control file", juce::File(), getFilePatterns());
    addAndMakeVisible (defaultMap);

    list->onSelectionChanged = [this] { listSelectionChanged(); };
    addAndMakeVisible (*list);

    setUpButton (deleteButton, "Delete selected assignation");
    setUpButton (clearButton, "Clear all map");
    setUpButton (loadButton, "Open map");
    setUpButton (saveButton, "Save current map");
    addAndMakeVisible (buttonColumn);

    lookAndFeelChanged();
    midiControl.addListener (this);
    mapChanged();
    learnStateChanged (midiControl);
}

MidiControlComponent::~MidiControlComponent()
{
    midiControl.removeListener (this);
}

void MidiControlComponent::setUpButton (juce::ImageButton& button, const juce::String& tooltip)
{
    button.setTooltip (tooltip);
    button.addListener (this);
    buttonColumn.addAndMakeVisible (button);
}

void MidiControlComponent::lookAndFeelChanged()
{
    auto* lf = DefaultLookAndFeel::of (*this);

    if (lf == nullptr)
        return;

    const std::pair<juce::ImageButton*, int> pictures[] { { &deleteButton, deletePicture }, { &clearButton, clearPicture },
                                                          { &loadButton, loadPicture }, { &saveButton, savePicture } };

    for (auto [button, number] : pictures)
    {
        const auto image = lf->getPicture (number);
        button->setImages (true, false, true,
                           image, 1.0f, {},
                           image, 1.0f, juce::Colours::white.withAlpha (0.25f),
                           image, 1.0f, juce::Colours::black.withAlpha (0.25f));
    }

    resized();
}

//==============================================================================
void MidiControlComponent::buttonClicked (juce::Button* button)
{
    if (button == &deleteButton)
    {
        if (auto* entry = list->getSelectedEntry())
            midiControl.removeAssignment (entry->controller);
    }
    else if (button == &clearButton)
        confirmClearAll();
    else if (button == &loadButton)
        chooseMapToLoad();
    else if (button == &saveButton)
        chooseFileToSaveMap();
}

void MidiControlComponent::confirmClearAll()
{
    confirmation = Vexa::AlertWindow::createConfirmation (midiControl.getMapName(),
                                                          "Do you really want to clear all assignations?", this);
    addChildComponent (*confirmation);
    confirmation->show();
}

void MidiControlComponent::alertWindowClosed (Vexa::AlertWindow*, int returnValue)
{
    if (returnValue == 1)
        midiControl.clearAssignments();
}

void MidiControlComponent::chooseMapToLoad()
{
    juce::Component::SafePointer<MidiControlComponent> safeThis (this);

    FileChooserSeam::get().chooseFile ({ "Open Midi Control file", midiControl.getUserMapFile(), getFilePatterns(), false },
                                       [safeThis] (const juce::File& file)
    {
        if (safeThis != nullptr && file != juce::File())
            safeThis->midiControl.loadMapFile (file);
    });
}

void MidiControlComponent::chooseFileToSaveMap()
{
    juce::Component::SafePointer<MidiControlComponent> safeThis (this);

    FileChooserSeam::get().chooseFile ({ "Save Midi Control file as", midiControl.getUserMapFile(), getFilePatterns(), true },
                                       [safeThis] (const juce::File& file)
    {
        if (safeThis != nullptr && file != juce::File())
            safeThis->saveMap (safeThis->withFileExtension (file));
    });
}

void MidiControlComponent::saveMap (const juce::File& file)
{
    if (! midiControl.saveMapFile (file) && onStatusMessage)
        onStatusMessage ("Could not write the map file " + file.getFileName() + ".");
}

//==============================================================================
void MidiControlComponent::checkBoxChanged (CheckBox*)
{
    midiControl.setLearnMode (learnCheckBox.isChecked());
}

void MidiControlComponent::defaultResourceChanged (DefaultResourceCheckBox*)
{
    midiControl.setUseUserMap (defaultMap.isChecked());
    midiControl.setUserMapFile (UserSettings::fileFromPath (defaultMap.getPath()));
}

void MidiControlComponent::mapChanged()
{
    std::vector<ListComponent::Entry> entries;

    {
        const juce::ScopedLock sl (midiControl.getLock());

        for (int controller = 0; controller < MidiControl::numControllers; ++controller)
            if (auto* parameter = midiControl.getAssignedParameter (controller))
                entries.push_back ({ controller, parameter->getName() });
    }

    clearButton.setEnabled (! entries.empty());
    list->setEntries (std::move (entries));
}

void MidiControlComponent::learnStateChanged (MidiControl&)
{
    // Switching the mode notifies on the switching thread; the page belongs to the message thread.
    if (! juce::MessageManager::existsAndIsCurrentThread())
    {
        deferredLearnState.triggerAsyncUpdate();
        return;
    }

    learnCheckBox.setChecked (midiControl.isLearning(), false);

    const int controller = midiControl.getPendingController();
    const bool pairPending = controller >= 0 && midiControl.getPendingParameter() != nullptr;
    list->selectEntry (pairPending ? list->findEntry (controller) : -1);
}

void MidiControlComponent::listSelectionChanged()
{
    auto* entry = list->getSelectedEntry();
    deleteButton.setEnabled (entry != nullptr);

    if (entry != nullptr && midiControl.isLearning())
        midiControl.learnPair (entry->controller, midiControl.getAssignedParameter (entry->controller));
}

//==============================================================================
void MidiControlComponent::resized()
{
    auto area = getLocalBounds();
    learnCheckBox.setTopLeftPosition (area.getPosition());
    area.removeFromTop (learnCheckBox.getHeight() + learnGap);

    // Each child keeps its own height, so that laying out again changes nothing.
    const int mapHeight = defaultMap.getHeight();
    defaultMap.setBounds (0, getHeight() - mapHeight, getWidth(), mapHeight);
    area.setBottom (juce::jmax (area.getY(), defaultMap.getY() - defaultMapGap));

    area.removeFromRight (buttonColumn.getWidth() + buttonColumnGap);
    list->setBounds (area);
    buttonColumn.setTopLeftPosition (list->getRight() + buttonColumnGap, list->getY() + list->getTableBounds().getY());
}
