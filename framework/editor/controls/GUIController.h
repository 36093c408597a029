#pragma once

#include "BlinkingComponent.h"
#include "../../parameters/Parameter.h"

class ParameterManager;
class EventsMap;
class BasePluginEditor;

/** A skin control: bound to at most one parameter, follows its value, writes the user's
    changes back to it, reports the user's gestures and raises numbered events.

    Every control is also a JUCE component; the component part is what the user touches,
    this part talks to the parameter and to the listeners (the editor). The control is a
    deferred listener of its parameter, so it only ever updates on the message thread.
*/
class GUIController : public Parameter::Listener,
                      public BlinkingComponent
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void controllerGestureStarted (GUIController*) {}
        virtual void controllerGestureEnded (GUIController*) {}
        /** The user changed the control; the parameter is already set. */
        virtual void controllerValueChanged (GUIController*) {}
        virtual void controllerEvent (GUIController*, int /*eventNumber*/) {}
    };

    GUIController() = default;
    ~GUIController() override;

    void parameterChanged (Parameter& changed) override   { updateFromParameter (changed); }

    /** Keeps an action read from the skin; each control class knows its own types. */
    virtual void setAction (const juce::String& /*type*/, int /*eventNumber*/, const juce::String& /*eventName*/) {}

    /** Shows the parameter's current value. */
    virtual void updateFromParameter (Parameter&) {}

    /** Null and duplicates are ignored. */
    virtual void addListener (Listener* listener)       { listeners.add (listener); }

    /** Binds the parameter named by the element's "connectedTo" link and registers its actions. */
    virtual void configureFromXml (const juce::XmlElement& element, ParameterManager& parameters,
                                   EventsMap& events, BasePluginEditor* editor);

    /** Moves the binding to another parameter (or none). */
    void bindParameter (Parameter* newParameter);
    Parameter* getParameter() const noexcept             { return parameter; }

protected:
    void notifyGestureStarted();
    void notifyGestureEnded();
    void notifyValueChanged();
    void fireEvent (int eventNumber);

    /** The user-change path of the value controls: sets the bound parameter with
        notification and tells the listeners; does nothing when unbound. */
    void setParameterFromUser (float normalisedValue);

private:
    ListenerArray<Listener> listeners;
    Parameter* parameter = nullptr;

    JUCE_DECLARE_NON_COPYABLE (GUIController)
};
