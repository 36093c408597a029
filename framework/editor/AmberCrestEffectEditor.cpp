#include "AmberCrestEffectEditor.h"

#include "QualitySettingsComponent.h"
#include "controls/GFXAnimation.h"
#include "../windows/AboutWindow.h"
#include "../windows/OptionsWindow.h"
#include "../plugin/AmberCrestEffect.h"
#include "../windows/OldStylePresetBrowserWindow.h"

AmberCrestEffectEditor::AmberCrestEffectEditor (AmberCrestEffect* effectProcessor, const juce::String& skinFileName)
    : BasePluginEditorOldStyle (effectProcessor, skinFileName),
      effect (*effectProcessor),
      skinHeight (getHeight() - getStatusBar()->getHeight())
{
    leftVUMeter = dynamic_cast<GFXAnimation*> (findControl ("LeftVUMeter"));
    rightVUMeter = dynamic_cast<GFXAnimation*> (findControl ("RightVUMeter"));
    dockOptionsWindow();
    dockPresetBrowser();
    resized();
}

AmberCrestEffectEditor::~AmberCrestEffectEditor()
{
    qualitySettings.reset();
}

void AmberCrestEffectEditor::dockOptionsWindow()
{
    auto* options = getOptionsWindow();
    options->setDocked (true);
    dockPanel (*options, optionsPanel);

    if (effect.offersQualitySettings())
    {
        qualitySettings = std::make_unique<QualitySettingsComponent> (effect);
        qualitySettings->getDefaultQuality().addListener (this);
        options->getTabs().addPage ("Quality", qualitySettings.get(), 2);
    }
}

void AmberCrestEffectEditor::radioButtonsChanged (RadioButtons* buttons)
{
    if (qualitySettings != nullptr && buttons == &qualitySettings->getDefaultQuality())
        showSettingsNote ("Default Quality");
    else
        BasePluginEditorOldStyle::radioButtonsChanged (buttons);
}

void AmberCrestEffectEditor::resized()
{
    BasePluginEditorOldStyle::resized();

    const bool panelOpen = (optionsPanel != nullptr && optionsPanel->isVisible())
                            || (browserPanel != nullptr && browserPanel->isVisible());

    if (auto* about = getAboutWindow())
        about->setSize (aboutWidth, panelOpen ? aboutHeightOverPanel : aboutHeight);
}

void AmberCrestEffectEditor::updateFromTimer()
{
    BasePluginEditorOldStyle::updateFromTimer();

    const bool prepared = effect.isPrepared();

    if (prepared && effect.getCore() != nullptr)
        std::tie (leftMeter, rightMeter) = effect.getCore()->getMeterPair();

    if (leftVUMeter != nullptr)
        leftVUMeter->setFromNormalisedValue (leftMeter);

    if (rightVUMeter != nullptr)
        rightVUMeter->setFromNormalisedValue (rightMeter);

    // Without processing the core's pair stands still at its last reading.
    if (! prepared)
    {
        leftMeter = fallen (leftMeter);
        rightMeter = fallen (rightMeter);
    }
}

//==============================================================================
void AmberCrestEffectEditor::controllerEvent (GUIController* control, int eventNumber)
{
    if (eventNumber != EventsMap::optionsEvent && eventNumber != EventsMap::browsePresetsEvent)
    {
        BasePluginEditorOldStyle::controllerEvent (control, eventNumber);
        return;
    }

    auto* panel = eventNumber == EventsMap::optionsEvent ? optionsPanel : browserPanel;
    auto* otherPanel = eventNumber == EventsMap::optionsEvent ? browserPanel : optionsPanel;

    if (panel != nullptr)
        togglePanel (*panel, otherPanel);
}

void AmberCrestEffectEditor::togglePanel (juce::Component& panel, juce::Component* otherPanel)
{
    panel.setVisible (! panel.isVisible());

    if (otherPanel != nullptr)
        otherPanel->setVisible (false);

    setEditorSize (getWidth(), skinHeight + (panel.isVisible() ? panel.getHeight() : 0));
    getStatusBar()->clear();
}

void AmberCrestEffectEditor::dockPanels (juce::Component& options, juce::Component& browser)
{
    dockPanel (options, optionsPanel);
    dockPanel (browser, browserPanel);
}

void AmberCrestEffectEditor::dockPanel (juce::Component& panel, juce::Component*& dockedPanel)
{
    if (dockedPanel != nullptr && dockedPanel != &panel)
        dockedPanel->setVisible (false);

    dockedPanel = &panel;
    panel.setVisible (false);
    panel.setBounds (0, skinHeight, getWidth(), dockedPanelHeight);

    if (panel.getParentComponent() != this)
        addChildComponent (panel);
}

void AmberCrestEffectEditor::dockPresetBrowser()
{
    if (auto* window = getPresetBrowserWindow())
    {
        window->useDockedForm();
        dockPanel (*window, browserPanel);
    }
}
