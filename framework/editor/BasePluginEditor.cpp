#include "BasePluginEditor.h"

#include "controls/GFXAnimation.h"
#include "controls/GFXKnob.h"
#include "controls/GFXMultiStateButton.h"
#include "controls/GFXSwitch.h"
#include "controls/GFXToggleButton.h"
#include "controls/SkinReading.h"
#include "StrandedWindowEvents.h"
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
    : FrameAlignedTimer (static_cast<juce::Component&> (*this)),
      processor (editedProcessor)
{
    setLookAndFeel (&defaultLookAndFeel);

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
    tooltips.close();
    fallbackControls.clear();
    setLookAndFeel (nullptr);
    background = {};
    destroyWindows();
    skinControls.clear();
}

void BasePluginEditor::createWindows()
{
    aboutWindow = std::make_unique<AboutWindow> (dynamic_cast<const SoftwareDesignation*> (processor));
    aboutWindow->setSize (aboutWindowWidth, aboutWindowHeight);
    addChildComponent (*aboutWindow);

    optionsWindow = std::make_unique<OptionsWindow>();
    optionsWindow->setSize (optionsWindowWidth, optionsWindowHeight);
    optionsWindow->setTitle ("Options");
    optionsWindow->getTabs().addListener (this);
    addChildComponent (*optionsWindow);

    midiControlComponent = std::make_unique<MidiControlComponent> (processor->getMidiControl(),
                                                                   processor->getMidiMapFilePatterns(),
                                                                   processor->getMidiMapFileExtension());
    midiControlComponent->getDefaultMapControl().addListener (this);
    midiControlComponent->onStatusMessage = [this] (const juce::String& message)
    {
        statusBar->showMessage (message, StatusBar::controlChangePriority, StatusBar::messageLifetimeMs);
    };
    optionsWindow->getTabs().addPage ("Midi Control", midiControlComponent.get());
}

void BasePluginEditor::destroyWindows()
{
    aboutWindow.reset();
    midiControlComponent.reset();
    optionsWindow.reset();
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

void BasePluginEditor::reportWindowState()
{
    if (stateReport == nullptr)
        return;

    stateReport->addFact ("optionsShowing", [this] { return juce::String ((int) optionsWindow->isShowing()); });
    stateReport->addFact ("optionsTab", [this] { return optionsWindow->getTabs().getCurrentTabName(); });
    stateReport->addFact ("aboutShowing", [this] { return juce::String ((int) aboutWindow->isShowing()); });
    stateReport->addFact ("midiLearning", [this] { return juce::String ((int) processor->getMidiControl().isLearning()); });
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

void BasePluginEditor::startPeriodicUpdates()
{
    periodicUpdates = true;
    visibilityChanged();
}

void BasePluginEditor::visibilityChanged()
{
    if (! isVisible())
        tooltips.close();

    if (periodicUpdates && isVisible())
        startTimer (timerIntervalMs);
    else
        stopTimer();
}

void BasePluginEditor::timerCallback()
{
    StrandedWindowEvents::dispatch();

    if (isInVisibleWindow())
        updateFromTimer();
}

bool BasePluginEditor::isInVisibleWindow() const
{
    // Unlike isShowing, this does not ask the window system whether the window is
    // minimised: that is a round trip to the display server on every tick.
    for (auto* component = static_cast<const juce::Component*> (this); component != nullptr;
         component = component->getParentComponent())
        if (! component->isVisible())
            return false;

    return getPeer() != nullptr;
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
            optionsWindow->show();
            statusBar->clear();
            return;

        case EventsMap::aboutEvent:
            aboutWindow->show();
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

//==============================================================================
void BasePluginEditor::defaultResourceChanged (DefaultResourceCheckBox*)
{
    showSettingsNote ("Default Map");
}

void BasePluginEditor::currentTabChanged (TabbedComponentEx*, int, const juce::String&)
{
    statusBar->clear();
}

void BasePluginEditor::showSettingsNote (const juce::String& settingName)
{
    statusBar->showMessage (settingName + " settings will be affected when plugin is loaded.", StatusBar::settingsNotePriority);
}
