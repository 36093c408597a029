#pragma once

#include <juce_core/juce_core.h>

#include <map>

/** Event names and numbers, kept in two maps in step: a name and a number each appear
    at most once, and the first registration of either wins. */
class EventsMap
{
public:
    enum BuiltInEvent
    {
        optionsEvent = 1000,
        aboutEvent = 1001,
        selectNextPresetEvent = 1002,
        selectPreviousPresetEvent = 1003,
        browsePresetsEvent = 1004,
        savePresetEvent = 1005,
        savePresetAsEvent = 1006,
        copyCurrentPresetEvent = 1007,
        pasteCopiedPresetEvent = 1008,
        storeCurrentPresetEvent = 1009,
        toggleMidiLearnEvent = 1010
    };

    /** False, changing nothing, when the number or the name is already present. */
    bool addEvent (int number, const juce::String& name);

    /** The number of a name, or -1. */
    int findEventNumber (const juce::String& name) const;

    /** The name of a number, or an empty string. */
    juce::String findEventName (int number) const;

    int size() const noexcept { return (int) byNumber.size(); }

    void clear();

    /** Clears the map and, when the root is an `EventsMap`, adds each `event` child. */
    void loadFromXml (const juce::XmlElement& root);

    /** Reads the events file resource (if any), then registers the built-in events. */
    void build (const juce::String& eventsResourceFileName);

    void addBuiltInEvents();

private:
    std::map<juce::String, int> byName;
    std::map<int, juce::String> byNumber;
};
