#include "BasePluginEditor.h"

#include "controls/GFXAnimation.h"
#include "controls/GFXKnob.h"
#include "controls/GFXMultiStateButton.h"
#include "controls/GFXSwitch.h"
#include "controls/GFXToggleButton.h"
#include "controls/SkinReading.h"
#include "../parameters/XmlReading.h"
#include "../plugin/BasePluginOldStyle.h"
#include "../plugin/Resources.h"
#include "../midi/MidiControlComponent.h"
#include "../windows/AboutWindow.h"
#include "../windows/OptionsWindow.h"
#include "../plugin/SoftwareDesignation.h"

namespace
{
    // Controls go beneath every child that is already there: each new control lies behind
    // the ones created before it (where skin controls overlap, the earlier one is on top)
    // and below the status bar and the tooltip window.
    constexpr int bottomOfStack = 0;

    juce::Component* findDepthFirst (const juce::Component& parent, const juce::String& name)
    {
        for (auto* child : parent.getChildren())
        {
            if (child->getName() == name)
                return child;

            if (auto* found = findDepthFirst (*child, name))
                return found;
        }

        return nullptr;
    }
}

BasePluginEditor::BasePluginEditor (BasePluginOldStyle* editedProcessor, const juce::String& skinFileName)
    : processor (editedProcessor)
{
    setLookAndFeel (&defaultLookAndFeel);

    tooltipWindow = std::make_unique<juce::TooltipWindow> (this);

    statusBar = std::make_unique<StatusBar>();
    addAndMakeVisible (*statusBar);

    createWindows();
    processor->getMidiControl().addListener (this);
    processor->getParameterManager().addAsyncListenerToAll (this);

    setEditorSize (initialWidth, initialHeight);
    skinLoaded = loadSkin (skinFileName);
    startStateReport();
    reportWindowState();
}

BasePluginEditor::~BasePluginEditor()
{
    stopTimer();
    stateReport.reset();
    processor->getMidiControl().removeListener (this);
    processor->getParameterManager().removeAsyncListenerFromAll (this);

    statusBar.reset();
    tooltipWindow.reset();
    fallbackControls.clear();
    setLookAndFeel (nullptr);
    background = {};
    destroyWindows();
    skinControls.clear();
}
