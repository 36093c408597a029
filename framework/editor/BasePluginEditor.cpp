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

    processor->getMidiControl().addListener (this);
    processor->getParameterManager().addAsyncListenerToAll (this);

    setEditorSize (initialWidth, initialHeight);
    skinLoaded = loadSkin (skinFileName);
    startStateReport();
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
    skinControls.clear();
}

void BasePluginEditor::startStateReport()
{
    if (processor->wrapperType != juce::AudioProcessor::wrapperType_Standalone)
        return;

    stateReport = StateReport::createIfRequested (*this);

    if (stateReport == nullptr)
        return;

    stateReport->addFact ("presetNumber", [this] { return juce::String (processor->getCurrentPresetNumber()); });
    stateReport->addFact ("presetName", [this] { return processor->getPresetName (processor->getCurrentPresetNumber()); });
    stateReport->addFact ("editorShowing", [this] { return juce::String ((int) isShowing()); });
    stateReport->addFact ("desktopWindows", [] { return juce::String (juce::Desktop::getInstance().getNumComponents()); });
    stateReport->addFact ("focused", []
    {
        auto* focused = juce::Component::getCurrentlyFocusedComponent();
        return focused != nullptr ? focused->getName() : juce::String();
    });
}

//==============================================================================
bool BasePluginEditor::loadSkin (const juce::String& fileName)
{
    return loadSkinFromText (Resources::loadResourceText (fileName));
}

bool BasePluginEditor::loadSkinFromText (const juce::String& skinText)
{
    const auto root = XmlReading::parse (skinText);

    if (root == nullptr)
        return false;

    createControls (*root);
    return true;
}

void BasePluginEditor::createControls (const juce::XmlElement& root)
{
    if (! XmlReading::hasTag (root, "PluginEditor"))
        return;

    juce::Image picture;
    Resources::loadResourceImage (SkinReading::getText (root, "background", "Background.png"), picture);

    if (picture.isValid())
        background = picture;

    if (background.isValid())
        setEditorSize (background.getWidth(), background.getHeight());

    for (auto* element = root.getFirstChildElement(); element != nullptr; element = element->getNextElement())
    {
        auto control = SkinControls::create (element->getTagName(), SkinReading::getText (*element, "name"),
                                             SkinControls::Scope::editor);

        if (control.component != nullptr)
            addSkinControl (std::move (control), *element);
    }

    skinControls.forEachController ([this] (GUIController& control) { control.addListener (this); });

    midiLearnButton = dynamic_cast<GFXMultiStateButton*> (findControl ("MidiLearnButton"));
    midiActivityLed = dynamic_cast<GFXAnimation*> (findControl ("MidiActivityLed"));
}

void BasePluginEditor::addSkinControl (SkinControl control, const juce::XmlElement& element)
{
    auto* controller = control.controller;
    auto* component = skinControls.add (std::move (control));

    controller->configureFromXml (element, processor->getParameterManager(), processor->getEventsMap(), this);

    component->setVisible (true);
    addChildComponent (component, bottomOfStack);
}

//==============================================================================
int BasePluginEditor::getFallbackColumnsPerRow() const
{
    const int usableWidth = getWidth() - 10;
    const int columns = usableWidth / fallbackColumnStep;
    return columns * fallbackColumnStep - 14 < usableWidth ? columns + 1 : columns;
}

void BasePluginEditor::createFallbackControls()
{
    if (skinLoaded)
        return;

    auto& parameters = processor->getParameterManager();
    const int columnsPerRow = juce::jmax (1, getFallbackColumnsPerRow());
    int column = 0, row = 0;

    for (int index = 0; index < parameters.getNumParameters(); ++index)
    {
        auto* parameter = parameters.getParameter (index);

        if (parameter == nullptr)
            continue;

        addFallbackControl (*parameter, { fallbackLeft + column * fallbackColumnStep,
                                          fallbackTop + row * fallbackRowStep });
        ++column;

        if (leaveGapAfter (index))
            ++column;

        if (startRowAfter (index) || column >= columnsPerRow)
        {
            column = 0;
            ++row;
        }
    }
}

void BasePluginEditor::addFallbackControl (Parameter& parameter, juce::Point<int> position)
{
    SkinControl control;

    if (dynamic_cast<BoolParameter*> (&parameter) != nullptr)
        control = SkinControls::create ("ToggleButton", parameter.getName(), SkinControls::Scope::editor);
    else if (dynamic_cast<IntParameter*> (&parameter) != nullptr)   // enumerations too
        control = SkinControls::create ("Switch", parameter.getName(), SkinControls::Scope::editor);
    else
        control = SkinControls::create ("Knob", parameter.getName(), SkinControls::Scope::editor);

    auto* controller = control.controller;
    auto* component = fallbackControls.add (std::move (control));

    controller->bindParameter (&parameter);
    controller->addListener (this);
    component->setBounds (position.x, position.y, fallbackControlWidth, fallbackControlHeight);
    component->setVisible (true);
    addChildComponent (component, bottomOfStack);
}

//==============================================================================
juce::Component* BasePluginEditor::findControl (const juce::String& name) const
{
    return findDepthFirst (*this, name);
}

void BasePluginEditor::setEditorSize (int width, int height)
{
    baseHeight = height;

    if (statusBar != nullptr && isStatusBarShown())
        setSize (width, height + statusBar->getHeight());
    else
        setSize (width, height);

    placeStatusBar();

    if (auto* parent = getParentComponent())
        parent->setSize (getWidth(), getHeight());
}

void BasePluginEditor::placeStatusBar()
{
    if (statusBar != nullptr && isStatusBarShown())
        statusBar->setBounds (0, baseHeight, getWidth(), statusBar->getHeight());
}

void BasePluginEditor::resized()
{
    placeStatusBar();
    repaint();
}

void BasePluginEditor::paint (juce::Graphics& g)
{
    if (background.isValid())
    {
        g.drawImageAt (background, 0, 0);
        return;
    }

    g.fillAll (juce::Colour (0xffe5e5e5));
    g.setColour (juce::Colours::black);
    g.drawText (processor->getProductName(), getLocalBounds(), juce::Justification::topLeft, false);
}

void BasePluginEditor::timerCallback()
{
    if (isShowing())
        updateFromTimer();
}

void BasePluginEditor::updateFromTimer()
{
    // Only an existing LED takes the flag, so a skin without one leaves it alone.
    if (midiActivityLed != nullptr && processor->takeMidiActivity())
        midiActivityLed->flash (1, midiActivityFlashMs);
}

//==============================================================================
void BasePluginEditor::controllerValueChanged (GUIController* control)
{
    showControlParameter (control);
}

void BasePluginEditor::controllerEvent (GUIController* control, int eventNumber)
{
    switch (eventNumber)
    {
        case EventsMap::optionsEvent:
        case EventsMap::aboutEvent:
            // These open the editor's options and about windows; without them there is
            // nothing to show.
            return;

        case EventsMap::toggleMidiLearnEvent:
            toggleMidiLearn();
            return;

        default:
            processor->handleEvent (eventNumber);
            showControlParameter (control);
            return;
    }
}

void BasePluginEditor::showControlParameter (GUIController* control)
{
    auto* parameter = control != nullptr ? control->getParameter() : nullptr;

    if (parameter == nullptr)
        return;

    auto& midiControl = processor->getMidiControl();

    if (parameter->isAutomatable() && midiControl.isLearning())
        midiControl.learnParameter (parameter);

    showParameterValue (*parameter, StatusBar::controlChangePriority);
}

void BasePluginEditor::showParameterValue (Parameter& parameter, int priority)
{
    const auto valueText = processor->getParameterValueText (parameter.getIndex());

    if (valueText.isNotEmpty())
        statusBar->showMessage (parameter.getName() + ": " + valueText, priority, StatusBar::messageLifetimeMs);
}

void BasePluginEditor::toggleMidiLearn()
{
    auto& midiControl = processor->getMidiControl();
    const juce::ScopedLock sl (midiControl.getLock());
    midiControl.setLearnMode (! midiControl.isLearning());
}

//==============================================================================
void BasePluginEditor::learnStateChanged (MidiControl&)
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        showLearnState();
    else
        deferredLearnFeedback.triggerAsyncUpdate();
}

void BasePluginEditor::showLearnState()
{
    auto& midiControl = processor->getMidiControl();
    bool learning;
    juce::String learnText;

    {
        const juce::ScopedLock sl (midiControl.getLock());
        learning = midiControl.isLearning();
        learnText = midiControl.getLearnStatusText();
    }

    if (learning)
        statusBar->showMessage (learnText, StatusBar::midiLearnPriority);
    else
        statusBar->clear();

    if (midiLearnButton != nullptr)
        midiLearnButton->setState (learning ? 1 : 0);
}

void BasePluginEditor::controllerMoved (MidiControl& midiControl)
{
    if (auto* parameter = midiControl.getLastMovedParameter())
        showParameterValue (*parameter, StatusBar::midiMovedPriority);
}
