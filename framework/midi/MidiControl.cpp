#include "MidiControl.h"

#include "../parameters/NumberText.h"
#include "../parameters/XmlReading.h"

#include <algorithm>
#include <utility>

namespace
{
    bool isControllerNumber (long long number)
    {
        return number >= 0 && number < MidiControl::numControllers;
    }
}

MidiControl::MidiControl (ParameterManager& parameterManager)
    : parameters (parameterManager)
{
}

MidiControl::~MidiControl()
{
    cancelPendingUpdate();
}

//==============================================================================
void MidiControl::handleMidiMessage (const juce::MidiMessage& message)
{
    const auto* bytes = message.getRawData();

    if (message.getRawDataSize() < 3 || (bytes[0] & 0xf0) != 0xb0)
        return;

    const int controller = bytes[1];

    // Data bytes above 127 only come from broken senders; they must not reach a slot.
    if (! isControllerNumber (controller))
        return;

    Parameter* parameter = nullptr;

    {
        const juce::ScopedLock sl (lock);

        if (learning)
            learnController (controller);

        parameter = slots[(size_t) controller];

        if (parameter == nullptr)
            return;

        lastMovedParameter = parameter;
        controllerMovedPending = true;
    }

    // Set outside the map's lock: the parameter's listeners take the processor lock.
    // The factor is 1/127 rounded to single precision, so 127 gives exactly 1.
    parameter->setNormalisedValue ((float) bytes[2] * 0.007874016f, true);
    triggerUpdateFromAnyThread();
}

//==============================================================================
void MidiControl::setLearnMode (bool shouldLearn)
{
    {
        const juce::ScopedLock sl (lock);

        if (learning == shouldLearn)
            return;

        learning = shouldLearn;
        pendingParameter = nullptr;
        pendingController = -1;
    }

    listeners.callLastToFirst ([this] (Listener& l) { l.learnStateChanged (*this); });
}

bool MidiControl::isLearning() const
{
    const juce::ScopedLock sl (lock);
    return learning;
}

void MidiControl::learnParameter (Parameter* parameter)
{
    if (parameter == nullptr || ! parameter->isAutomatable())
        return;

    const juce::ScopedLock sl (lock);

    if (! learning)
        return;

    if (parameter != pendingParameter)
    {
        if (pendingController < 0 || pendingParameter != nullptr)
            pendingController = findController (parameter);

        pendingParameter = parameter;
    }

    updateLearning();
}

void MidiControl::learnController (int controller)
{
    if (! isControllerNumber (controller))
        return;

    const juce::ScopedLock sl (lock);

    if (! learning)
        return;

    if (controller != pendingController)
    {
        if (pendingParameter == nullptr || pendingController >= 0)
            pendingParameter = slots[(size_t) controller];

        pendingController = controller;
    }

    updateLearning();
}

// A controller that already drives a parameter is never taken over here; the user
// removes that assignment first.
void MidiControl::updateLearning()
{
    if (pendingController >= 0 && pendingParameter != nullptr
         && slots[(size_t) pendingController] == nullptr)
        assign (pendingController, pendingParameter, true);

    learnChangedPending = true;
    triggerUpdateFromAnyThread();
}

void MidiControl::resetLearnState()
{
    pendingParameter = nullptr;
    pendingController = -1;
}

int MidiControl::getPendingController() const
{
    const juce::ScopedLock sl (lock);
    return pendingController;
}

Parameter* MidiControl::getPendingParameter() const
{
    const juce::ScopedLock sl (lock);
    return pendingParameter;
}

juce::String MidiControl::getLearnStatusText() const
{
    const juce::ScopedLock sl (lock);

    if (! learning)
        return {};

    if (pendingController < 0)
    {
        if (pendingParameter == nullptr)
            return "Waiting for a controller or parameter movement...";

        return "'" + pendingParameter->getName() + "' parameter is free. Waiting for a free controller now...";
    }

    if (pendingParameter == nullptr)
        return "CC# " + juce::String (pendingController) + " is free. Waiting for a parameter now...";

    return "CC# " + juce::String (pendingController) + " is assigned to parameter '"
             + pendingParameter->getName() + "'.";
}

//==============================================================================
void MidiControl::assign (int controller, Parameter* parameter, bool notify)
{
    if (! isControllerNumber (controller))
        return;

    const juce::ScopedLock sl (lock);

    if (slots[(size_t) controller] == parameter)
        return;

    placeInSlot (controller, parameter);

    if (notify)
        postMapChanged();
}

void MidiControl::placeInSlot (int controller, Parameter* parameter)
{
    if (parameter != nullptr)
        for (auto& slot : slots)
            if (slot == parameter)
                slot = nullptr;

    slots[(size_t) controller] = parameter;
}

void MidiControl::removeAssignment (int controller)
{
    if (! isControllerNumber (controller))
        return;

    const juce::ScopedLock sl (lock);

    if (slots[(size_t) controller] != nullptr)
    {
        slots[(size_t) controller] = nullptr;
        postMapChanged();
    }

    if (learning)
    {
        resetLearnState();
        updateLearning();
    }
}

void MidiControl::clearAssignments()
{
    const juce::ScopedLock sl (lock);
    slots.fill (nullptr);
    postMapChanged();
}

Parameter* MidiControl::getAssignedParameter (int controller) const
{
    if (! isControllerNumber (controller))
        return nullptr;

    const juce::ScopedLock sl (lock);
    return slots[(size_t) controller];
}

int MidiControl::findController (const Parameter* parameter) const
{
    if (parameter == nullptr)
        return -1;

    const juce::ScopedLock sl (lock);

    for (int controller = 0; controller < numControllers; ++controller)
        if (slots[(size_t) controller] == parameter)
            return controller;

    return -1;
}

int MidiControl::getNumAssignments() const
{
    const juce::ScopedLock sl (lock);
    return (int) std::count_if (slots.begin(), slots.end(), [] (const Parameter* p) { return p != nullptr; });
}

Parameter* MidiControl::getLastMovedParameter() const
{
    const juce::ScopedLock sl (lock);
    return lastMovedParameter;
}

//==============================================================================
std::unique_ptr<juce::XmlElement> MidiControl::createMapXml() const
{
    auto map = std::make_unique<juce::XmlElement> ("MidiControlMap");

    const juce::ScopedLock sl (lock);
    map->setAttribute ("name", mapName);

    for (int controller = 0; controller < numControllers; ++controller)
    {
        if (auto* parameter = slots[(size_t) controller])
        {
            auto* entry = map->createNewChildElement ("assign");
            entry->setAttribute ("CC", controller);
            entry->setAttribute ("param", parameter->getName());
        }
    }

    return map;
}

bool MidiControl::acceptsMap (const juce::XmlElement& element) const
{
    if (! XmlReading::hasTag (element, "MidiControlMap") && ! XmlReading::hasTag (element, "MidiCCMap"))
        return false;

    const juce::ScopedLock sl (lock);

    return mapName.isEmpty()
        || XmlReading::getAttribute (element, "name").equalsIgnoreCase (mapName)
        || XmlReading::getAttribute (element, "application").equalsIgnoreCase (mapName);
}

void MidiControl::loadMapXml (const juce::XmlElement& element)
{
    setLearnMode (false);

    const juce::ScopedLock sl (lock);
    slots.fill (nullptr);

    if (acceptsMap (element))
    {
        for (auto* entry = XmlReading::firstChild (element, "assign"); entry != nullptr;
             entry = XmlReading::nextSibling (*entry, "assign"))
        {
            auto* parameter = parameters.getParameterByName (XmlReading::getAttribute (*entry, "param"));

            if (parameter == nullptr || ! parameter->isAutomatable())
                continue;

            const auto controller = NumberText::parseLeadingInteger (XmlReading::getAttribute (*entry, "CC"));

            if (isControllerNumber (controller))
                placeInSlot ((int) controller, parameter);
        }
    }

    postMapChanged();
}

bool MidiControl::loadMapFile (const juce::File& file)
{
    auto document = XmlReading::parseFile (file);

    // A wrong file picked by the user must not cost the assignments already made.
    if (document == nullptr || ! acceptsMap (*document))
        return false;

    loadMapXml (*document);
    return true;
}

bool MidiControl::saveMapFile (const juce::File& file) const
{
    return XmlReading::writeToFile (*createMapXml(), file);
}

void MidiControl::loadStartupMap()
{
    if (getUseUserMap())
        loadMapFile (getUserMapFile());
}

//==============================================================================
void MidiControl::setMapName (const juce::String& name)
{
    const juce::ScopedLock sl (lock);
    mapName = name;
}

juce::String MidiControl::getMapName() const
{
    const juce::ScopedLock sl (lock);
    return mapName;
}

void MidiControl::setUseUserMap (bool shouldUse)
{
    const juce::ScopedLock sl (lock);
    useUserMap = shouldUse;
}

bool MidiControl::getUseUserMap() const
{
    const juce::ScopedLock sl (lock);
    return useUserMap;
}

void MidiControl::setUserMapFile (const juce::File& file)
{
    const juce::ScopedLock sl (lock);
    userMapFile = file;
}

juce::File MidiControl::getUserMapFile() const
{
    const juce::ScopedLock sl (lock);
    return userMapFile;
}

//==============================================================================
void MidiControl::postMapChanged()
{
    mapChangedPending = true;
    triggerUpdateFromAnyThread();
}

void MidiControl::handleAsyncUpdate()
{
    bool mapChanged, learnChanged, controllerMoved;

    {
        // Cleared before the calls, so a trigger during them brings another callback.
        const juce::ScopedLock sl (lock);
        mapChanged = std::exchange (mapChangedPending, false);
        learnChanged = std::exchange (learnChangedPending, false);
        controllerMoved = std::exchange (controllerMovedPending, false);
    }

    if (mapChanged)
        listeners.callLastToFirst ([] (Listener& l) { l.mapChanged(); });

    if (learnChanged)
        listeners.callLastToFirst ([this] (Listener& l) { l.learnStateChanged (*this); });

    if (controllerMoved)
        listeners.callLastToFirst ([this] (Listener& l) { l.controllerMoved (*this); });
}
