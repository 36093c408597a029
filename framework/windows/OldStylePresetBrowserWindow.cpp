#include "OldStylePresetBrowserWindow.h"

#include "BrowserPictures.h"
#include "FileChooserSeam.h"
#include "../editor/BasePluginEditor.h"
#include "../plugin/BasePluginOldStyle.h"

OldStylePresetBrowserWindow::OldStylePresetBrowserWindow (BasePluginOldStyle& presetManager)
    : processor (presetManager)
{
    setName ("PresetBrowserWindow");
    setTitle ("Preset Browser");

    addImageButton (addGroup, "Add Group", "Add group", BrowserPictures::addGroupPicture);
    addImageButton (removeGroup, "Rem Group", "Remove empty group", BrowserPictures::removeGroupPicture);
    addImageButton (copy, "Copy", "Copy current preset", BrowserPictures::copyPicture);
    addImageButton (paste, "Paste", "Paste copied preset", BrowserPictures::pastePicture);
    addImageButton (up, "Up", "Select previous preset", BrowserPictures::upPicture);
    addImageButton (down, "Down", "Select next preset", BrowserPictures::downPicture);

    addRowLabel ("Preset");
    addTextButton (loadPreset, "Load", "Load preset");
    addTextButton (savePreset, "Save", "Save current preset");
    addRowLabel ("Bank");
    addTextButton (loadBank, "Load", "Load preset bank");
    addTextButton (saveBank, "Save", "Save current preset bank");

    upRepeater = std::make_unique<HeldButtonRepeater> (getButton (up), [this] { processor.selectPreviousPreset(); });
    downRepeater = std::make_unique<HeldButtonRepeater> (getButton (down), [this] { processor.selectNextPreset(); });

    addAndMakeVisible (buttonColumn);
    addAndMakeVisible (bottomRow);
    addAndMakeVisible (browser);

    auto& parameters = processor.getParameterManager();
    presetNumber = parameters.getParameter (ParameterManager::currentPresetNumberIndex);
    presetName = parameters.getParameter (ParameterManager::currentPresetNameIndex);

    for (auto* parameter : { presetNumber, presetName })
        if (parameter != nullptr)
            parameter->addAsyncListener (this);

    updateButtonStates();
    setSize (initialWidth, initialHeight);
}

OldStylePresetBrowserWindow::~OldStylePresetBrowserWindow()
{
    for (auto* parameter : { presetNumber, presetName })
        if (parameter != nullptr)
            parameter->removeAsyncListener (this);
}

void OldStylePresetBrowserWindow::useDockedForm()
{
    setRounded (false);
    setTitleBarShown (false);
    setBorderShown (false);
    setDecorationPosition (WindowPictures::topDecoration);
}

juce::ImageButton& OldStylePresetBrowserWindow::addImageButton (ButtonId id, const juce::String& name,
                                                                const juce::String& tooltip, int picture)
{
    auto button = std::make_unique<juce::ImageButton> (name);
    const auto image = BrowserPictures::getButtonPicture (picture);
    button->setImages (true, false, true,
                       image, 1.0f, {},
                       image, 1.0f, juce::Colours::white.withAlpha (0.25f),
                       image, 1.0f, juce::Colours::black.withAlpha (0.25f));
    button->setTooltip (tooltip);
    button->addListener (this);
    buttonColumn.addAndMakeVisible (*button);

    auto& added = *button;
    buttons[(size_t) id] = std::move (button);
    return added;
}

TextButtonEx& OldStylePresetBrowserWindow::addTextButton (ButtonId id, const juce::String& text, const juce::String& tooltip)
{
    auto button = std::make_unique<TextButtonEx> (text, text);
    button->setTooltip (tooltip);
    button->addListener (this);
    bottomRow.addAndMakeVisible (*button);

    auto& added = *button;
    buttons[(size_t) id] = std::move (button);
    return added;
}

juce::Label& OldStylePresetBrowserWindow::addRowLabel (const juce::String& text)
{
    auto* label = rowLabels.add (new juce::Label (text, text));
    const juce::Font font ("Tahoma", 13.0f, juce::Font::plain);
    label->setFont (font);
    label->setJustificationType (juce::Justification::centredRight);
    label->setBorderSize ({});
    label->setSize (juce::roundToInt (std::ceil (font.getStringWidthFloat (text))) + 1, 20);
    bottomRow.addAndMakeVisible (*label);
    return *label;
}

//==============================================================================
void OldStylePresetBrowserWindow::updateButtonStates()
{
    const int group = browser.getSelectedGroup();
    getButton (addGroup).setEnabled (group >= 0);
    getButton (removeGroup).setEnabled (group >= 0 && processor.getPresetBank().getGroupSize (group) == 0);
}

void OldStylePresetBrowserWindow::buttonClicked (juce::Button* button)
{
    for (size_t i = 0; i < buttons.size(); ++i)
    {
        if (buttons[i].get() == button)
        {
            onButton ((ButtonId) i);
            return;
        }
    }

    WindowComponent::buttonClicked (button);
}

void OldStylePresetBrowserWindow::onButton (ButtonId id)
{
    switch (id)
    {
        case addGroup:      addGroupAtSelection(); break;
        case removeGroup:   removeSelectedGroup(); break;
        case copy:          processor.copyCurrentPreset(); break;
        case paste:         processor.pastePreset(); break;
        case up:            processor.selectPreviousPreset(); break;
        case down:          processor.selectNextPreset(); break;

        case loadPreset:
            chooseFile ("Load single preset", processor.getPresetFilePatterns(), false,
                        [] (OldStylePresetBrowserWindow& w, const juce::File& f) { w.loadPresetFrom (f); });
            break;

        case savePreset:
            chooseFile ("Save current settings as preset", processor.getPresetFilePatterns(), true,
                        [] (OldStylePresetBrowserWindow& w, const juce::File& f) { w.savePresetTo (f); });
            break;

        case loadBank:
            chooseFile ("Load preset bank", processor.getBankFilePatterns(), false,
                        [] (OldStylePresetBrowserWindow& w, const juce::File& f) { w.loadBankFrom (f); });
            break;

        case saveBank:
            chooseFile ("Save preset bank", processor.getBankFilePatterns(), true,
                        [] (OldStylePresetBrowserWindow& w, const juce::File& f) { w.saveBankTo (f); });
            break;

        case numButtons:
            break;
    }
}

void OldStylePresetBrowserWindow::addGroupAtSelection()
{
    processor.getPresetBank().insertGroup (browser.getSelectedGroup());
    browser.refreshAll();
}

void OldStylePresetBrowserWindow::removeSelectedGroup()
{
    const int group = browser.getSelectedGroup();

    if (group >= 0 && processor.getPresetBank().getGroupSize (group) == 0)
        processor.getPresetBank().removeGroup (group);

    browser.refreshAll();
}

//==============================================================================
void OldStylePresetBrowserWindow::chooseFile (const juce::String& dialogTitle, const juce::String& patterns, bool saving,
                                              std::function<void (OldStylePresetBrowserWindow&, const juce::File&)> use)
{
    FileChooserSeam::Request request;
    request.title = dialogTitle;
    request.initialLocation = juce::File (processor.getRecentDirectory());
    request.filePatterns = patterns;
    request.saving = saving;

    FileChooserSeam::get().chooseFile (request, [window = SafePointer<OldStylePresetBrowserWindow> (this), use] (const juce::File& file)
    {
        if (window != nullptr && file != juce::File())
            use (*window, file);
    });
}

namespace
{
    /** The chosen name with the extension appended unless it already ends with it. */
    juce::File withExtension (const juce::File& file, const juce::String& extension)
    {
        return file.hasFileExtension (extension) ? file : file.getSiblingFile (file.getFileName() + extension);
    }
}

void OldStylePresetBrowserWindow::loadPresetFrom (const juce::File& file)
{
    processor.loadPresetFile (file, processor.getCurrentPresetNumber());
    processor.setRecentDirectory (file.getParentDirectory().getFullPathName());
}

void OldStylePresetBrowserWindow::savePresetTo (juce::File file)
{
    file = withExtension (file, processor.getPresetFileExtension());

    if (! processor.savePresetFile (file, processor.getCurrentPresetNumber()))
        reportSaveFailure (file);

    processor.setRecentDirectory (file.getParentDirectory().getFullPathName());
}

void OldStylePresetBrowserWindow::loadBankFrom (const juce::File& file)
{
    processor.loadBankFile (file);
}

void OldStylePresetBrowserWindow::saveBankTo (juce::File file)
{
    file = withExtension (file, processor.getBankFileExtension());

    if (! processor.saveBankFile (file))
        reportSaveFailure (file);
}

void OldStylePresetBrowserWindow::reportSaveFailure (const juce::File& file)
{
    if (auto* editor = findParentComponentOfClass<BasePluginEditor>())
        editor->getStatusBar()->showMessage ("Could not save " + file.getFileName(), couldNotSavePriority, couldNotSaveLifetimeMs);
}

//==============================================================================
void OldStylePresetBrowserWindow::parameterChanged (Parameter& parameter)
{
    // Names and groups may have changed with the number (a bank load, a state restore).
    browser.refreshAll();

    if (parameter.getIndex() == ParameterManager::currentPresetNumberIndex)
        browser.showCurrentPreset();
}

void OldStylePresetBrowserWindow::resized()
{
    WindowComponent::resized();

    const auto content = getContentBounds();
    buttonColumn.setTopLeftPosition (content.getPosition());
    bottomRow.setTopLeftPosition (content.getRight() - bottomRow.getWidth(), content.getBottom() - bottomRow.getHeight());
    browser.setBounds (content.withTrimmedLeft (buttonColumn.getWidth() + browserGap)
                              .withTrimmedBottom (bottomRow.getHeight()));
}
