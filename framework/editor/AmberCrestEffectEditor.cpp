#include "AmberCrestEffectEditor.h"

#include "controls/GFXAnimation.h"
#include "../plugin/AmberCrestEffect.h"
#include "../windows/OldStylePresetBrowserWindow.h"

AmberCrestEffectEditor::AmberCrestEffectEditor (AmberCrestEffect* effectProcessor, const juce::String& skinFileName)
    : BasePluginEditorOldStyle (effectProcessor, skinFileName),
      effect (*effectProcessor),
      skinHeight (getHeight() - getStatusBar()->getHeight())
{
    leftVUMeter = dynamic_cast<GFXAnimation*> (findControl ("LeftVUMeter"));
    rightVUMeter = dynamic_cast<GFXAnimation*> (findControl ("RightVUMeter"));
    dockPresetBrowser();
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

    if (eventNumber == EventsMap::optionsEvent)
        togglePanel (optionsPanel, browserPanel);
    else
        togglePanel (browserPanel, optionsPanel);
}

void AmberCrestEffectEditor::togglePanel (juce::Component* panel, juce::Component* otherPanel)
{
    if (panel == nullptr)
        return;

    panel->setVisible (! panel->isVisible());

    if (otherPanel != nullptr)
        otherPanel->setVisible (false);

    setEditorSize (getWidth(), skinHeight + (panel->isVisible() ? panel->getHeight() : 0));
    getStatusBar()->clear();
}

void AmberCrestEffectEditor::dockPanels (juce::Component& options, juce::Component& browser)
{
    dockPanel (options, optionsPanel);
    dockPanel (browser, browserPanel);
}

void AmberCrestEffectEditor::dockPanel (juce::Component& panel, juce::Component*& slot)
{
    slot = &panel;
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
