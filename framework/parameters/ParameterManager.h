#pragma once

#include "Parameter.h"

#include <unordered_map>

/** Owns every parameter of the plug-in and finds them by index or by name.

    Lookups hold its reader-writer lock for reading, clearing and adding hold it for
    writing. The setters call the parameter they found after releasing it, because its
    listeners take the processor lock.
*/
class ParameterManager
{
public:
    static constexpr int currentPresetNumberIndex = 110000;
    static constexpr int currentPresetNameIndex = 110001;

    ParameterManager() = default;
    ~ParameterManager();

    /** Builds the parameters from an embedded definition file ("parameters.xml"). */
    void loadDefinitions (const juce::String& resourceFileName);

    /** Builds the parameters from a definition text; text that is not a definition leaves
        the manager empty. */
    void loadDefinitionsFromText (const juce::String& definitionText);

    void clear();

    /** Takes ownership; a parameter whose index or name is already registered is deleted
        and false is returned. An object that is already registered stays as it is (false). */
    bool addParameter (std::unique_ptr<Parameter> parameter);

    int getNumParameters() const;

    /** The parameter at a position of the list (in the order they were added), or null. */
    Parameter* getParameterAt (int position) const;

    Parameter* getParameter (int index) const;
    Parameter* getParameterByName (const juce::String& name) const;

    juce::String getParameterName (int index) const;
    float getParameterValue (int index) const;
    float getParameterNormalisedValue (int index) const;
    juce::String getParameterText (int index) const;
    void setParameterNormalisedValue (int index, float value);

    void setCurrentPresetNumber (int number, bool notify = true);
    void setCurrentPresetName (const juce::String& name, bool notify = true);

    void addListenerToAll (Parameter::Listener* listener);
    void addAsyncListenerToAll (Parameter::Listener* listener);
    void removeAsyncListenerFromAll (Parameter::Listener* listener);
    void removeListenerFromAll (Parameter::Listener* listener);

    void addListener (int index, Parameter::Listener* listener);
    void addAsyncListener (int index, Parameter::Listener* listener);
    void removeAsyncListener (int index, Parameter::Listener* listener);

    /** Every parameter in list order calls its immediate listeners and schedules its
        deferred ones, so that all listeners learn the current values. */
    void notifyAll();

    /** Creates the parameter that one definition element describes, or null when the
        element names no valid parameter. */
    static std::unique_ptr<Parameter> createFromDefinition (const juce::XmlElement& param);

private:
    template <typename Function>
    void forEachParameter (Function&& function) const;

    juce::OwnedArray<Parameter> parameters;
    std::unordered_map<int, Parameter*> byIndex;
    std::unordered_map<juce::String, Parameter*> byName;
    mutable juce::ReadWriteLock lock;

    JUCE_DECLARE_NON_COPYABLE (ParameterManager)
};
