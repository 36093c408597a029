#include "EventsMap.h"

#include "../parameters/NumberText.h"
#include "../parameters/XmlReading.h"
#include "../plugin/Resources.h"

#include <limits>

bool EventsMap::addEvent (int number, const juce::String& name)
{
    if (byNumber.count (number) != 0 || byName.count (name) != 0)
        return false;

    byNumber[number] = name;
    byName[name] = number;
    return true;
}

int EventsMap::findEventNumber (const juce::String& name) const
{
    const auto found = byName.find (name);
    return found != byName.end() ? found->second : -1;
}

juce::String EventsMap::findEventName (int number) const
{
    const auto found = byNumber.find (number);
    return found != byNumber.end() ? found->second : juce::String();
}

void EventsMap::clear()
{
    byName.clear();
    byNumber.clear();
}

void EventsMap::loadFromXml (const juce::XmlElement& root)
{
    clear();

    if (! XmlReading::hasTag (root, "EventsMap"))
        return;

    for (auto* event = XmlReading::firstChild (root, "event"); event != nullptr;
         event = XmlReading::nextSibling (*event, "event"))
    {
        const auto uid = NumberText::parseLeadingInteger (XmlReading::getAttribute (*event, "uid", "0"));
        addEvent ((int) juce::jlimit ((long long) std::numeric_limits<int>::min(),
                                      (long long) std::numeric_limits<int>::max(), uid),
                  XmlReading::getAttribute (*event, "name"));
    }
}

void EventsMap::build (const juce::String& eventsResourceFileName)
{
    clear();

    if (const auto root = XmlReading::parse (Resources::loadResourceText (eventsResourceFileName)))
        loadFromXml (*root);

    addBuiltInEvents();
}

void EventsMap::addBuiltInEvents()
{
    addEvent (optionsEvent, "Options");
    addEvent (aboutEvent, "About");
    addEvent (selectNextPresetEvent, "Select next preset");
    addEvent (selectPreviousPresetEvent, "Select previous preset");
    addEvent (browsePresetsEvent, "Browse presets");
    addEvent (savePresetEvent, "Save Preset");
    addEvent (savePresetAsEvent, "Save Preset As");
    addEvent (copyCurrentPresetEvent, "Copy current preset");
    addEvent (pasteCopiedPresetEvent, "Paste copied preset");
    addEvent (storeCurrentPresetEvent, "Store current preset");
    addEvent (toggleMidiLearnEvent, "Toggle Midi Learn");
}
