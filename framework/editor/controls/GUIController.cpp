#include "GUIController.h"

#include "SkinReading.h"
#include "../EventsMap.h"
#include "../../parameters/ParameterManager.h"
#include "../../parameters/XmlReading.h"

GUIController::~GUIController()
{
    if (parameter != nullptr)
        parameter->removeAsyncListener (this);
}

void GUIController::bindParameter (Parameter* newParameter)
{
    if (parameter != nullptr)
        parameter->removeAsyncListener (this);

    parameter = newParameter;

    if (parameter != nullptr)
        parameter->addAsyncListener (this);
}

void GUIController::configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                      EventsMap& events, BasePluginEditor*)
{
    if (auto* links = SkinReading::getChild (element, "links"))
    {
        for (auto* link = XmlReading::firstChild (*links, "link"); link != nullptr;
             link = XmlReading::nextSibling (*link, "link"))
        {
            auto* linked = parameters.getParameterByName (SkinReading::getText (*link, "param"));

            if (linked != nullptr && SkinReading::getText (*link, "as") == "connectedTo")
                bindParameter (linked);
        }
    }

    if (auto* actions = SkinReading::getChild (element, "actions"))
    {
        for (auto* action = XmlReading::firstChild (*actions, "action"); action != nullptr;
             action = XmlReading::nextSibling (*action, "action"))
        {
            const auto type = SkinReading::getText (*action, "type");
            const auto number = events.findEventNumber (SkinReading::getText (*action, "event"));

            if (type.isNotEmpty() && number != -1)
                setAction (type, number, events.findEventName (number));
        }
    }
}

void GUIController::notifyGestureStarted()
{
    if (parameter == nullptr)
        return;

    parameter->beginChangeGesture();
    listeners.callLastToFirst ([this] (Listener& l) { l.controllerGestureStarted (this); });
}

void GUIController::notifyGestureEnded()
{
    if (parameter == nullptr)
        return;

    parameter->endChangeGesture();
    listeners.callLastToFirst ([this] (Listener& l) { l.controllerGestureEnded (this); });
}

void GUIController::notifyValueChanged()
{
    listeners.callLastToFirst ([this] (Listener& l) { l.controllerValueChanged (this); });
}

void GUIController::fireEvent (int eventNumber)
{
    listeners.callLastToFirst ([this, eventNumber] (Listener& l) { l.controllerEvent (this, eventNumber); });
}

void GUIController::setParameterFromUser (float normalisedValue)
{
    if (parameter == nullptr)
        return;

    parameter->setNormalisedValue (normalisedValue, true);
    notifyValueChanged();
}
