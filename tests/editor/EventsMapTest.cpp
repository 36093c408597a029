#include "framework/editor/EventsMap.h"
#include "framework/parameters/XmlReading.h"
#include "product/Halvenek.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    EventsMap loaded (const juce::String& xml, bool withBuiltIns)
    {
        EventsMap map;
        const auto root = XmlReading::parse (xml);
        EXPECT_NE (root, nullptr) << xml;

        if (root != nullptr)
            map.loadFromXml (*root);

        if (withBuiltIns)
            map.addBuiltInEvents();

        return map;
    }

    const std::pair<int, const char*> builtIns[] =
    {
        { 1000, "Options" }, { 1001, "About" }, { 1002, "Select next preset" }, { 1003, "Select previous preset" },
        { 1004, "Browse presets" }, { 1005, "Save Preset" }, { 1006, "Save Preset As" },
        { 1007, "Copy current preset" }, { 1008, "Paste copied preset" }, { 1009, "Store current preset" },
        { 1010, "Toggle Midi Learn" }
    };
}

TEST (EventsMap, WithoutAnEventsFileOnlyTheElevenBuiltInsExist)
{
    EventsMap map;
    map.build ("events.xml");

    EXPECT_EQ (map.size(), 11);

    for (const auto& [number, name] : builtIns)
    {
        EXPECT_EQ (map.findEventNumber (name), number) << name;
        EXPECT_EQ (map.findEventName (number), name);
    }

    map.build ("events.xml");
    EXPECT_EQ (map.size(), 11);
}

TEST (EventsMap, UnknownNamesAndNumbersFindNothing)
{
    EventsMap map;
    map.addBuiltInEvents();

    EXPECT_EQ (map.findEventNumber ("options"), -1); // names compare exactly
    EXPECT_EQ (map.findEventNumber (""), -1);
    EXPECT_EQ (map.findEventName (999), "");
    EXPECT_EQ (map.findEventName (-1), "");
}

TEST (EventsMap, FirstRegistrationOfANameOrNumberWins)
{
    EventsMap map;

    EXPECT_TRUE (map.addEvent (5, "Five"));
    EXPECT_FALSE (map.addEvent (5, "Other"));
    EXPECT_FALSE (map.addEvent (6, "Five"));

    EXPECT_EQ (map.size(), 1);
    EXPECT_EQ (map.findEventName (5), "Five");
    EXPECT_EQ (map.findEventNumber ("Other"), -1);
    EXPECT_EQ (map.findEventName (6), "");

    map.clear();
    EXPECT_EQ (map.size(), 0);
    EXPECT_EQ (map.findEventNumber ("Five"), -1);
    EXPECT_TRUE (map.addEvent (6, "Five"));
}

TEST (EventsMap, FileEntriesShadowTheBuiltIns)
{
    const auto map = loaded (R"(<EventsMap><event name="Options" uid="1100"/></EventsMap>)", true);

    EXPECT_EQ (map.findEventNumber ("Options"), 1100);
    EXPECT_EQ (map.findEventName (1100), "Options");
    EXPECT_EQ (map.findEventName (1000), "");
    EXPECT_EQ (map.findEventNumber ("About"), 1001);
    EXPECT_EQ (map.size(), 11);
}

TEST (EventsMap, FileNumberTakenFromABuiltInName)
{
    const auto map = loaded (R"(<EventsMap><event name="Custom" uid="1001"/></EventsMap>)", true);

    EXPECT_EQ (map.findEventName (1001), "Custom");
    EXPECT_EQ (map.findEventNumber ("About"), -1);
    EXPECT_EQ (map.size(), 11);
}

TEST (EventsMap, EntriesWithoutUidTakeZeroOnce)
{
    const auto map = loaded (R"(<EventsMap><event name="First"/><event name="Second"/></EventsMap>)", false);

    EXPECT_EQ (map.findEventNumber ("First"), 0);
    EXPECT_EQ (map.findEventNumber ("Second"), -1);
    EXPECT_EQ (map.size(), 1);
}

TEST (EventsMap, NamesInTheFileIgnoreCaseAndOtherElementsAreSkipped)
{
    const auto map = loaded (R"(<eventsmap>
        <EVENT NAME="Upper" UID="7"/>
        <Event Name="Mixed" Uid="8"/>
        <other name="Other" uid="9"/>
        <group><event name="Nested" uid="10"/></group>
        <event name="Words" uid="twelve"/>
        <event name="Huge" uid="99999999999"/>
        </eventsmap>)", false);

    EXPECT_EQ (map.findEventNumber ("Upper"), 7);
    EXPECT_EQ (map.findEventNumber ("Mixed"), 8);
    EXPECT_EQ (map.findEventNumber ("Other"), -1);
    EXPECT_EQ (map.findEventNumber ("Nested"), -1);
    EXPECT_EQ (map.findEventNumber ("Words"), 0);
    EXPECT_EQ (map.findEventNumber ("Huge"), std::numeric_limits<int>::max());
}

TEST (EventsMap, WrongRootClearsTheMap)
{
    EventsMap map;
    map.addBuiltInEvents();

    const auto root = XmlReading::parse (R"(<Events><event name="Options" uid="1100"/></Events>)");
    ASSERT_NE (root, nullptr);
    map.loadFromXml (*root);

    EXPECT_EQ (map.size(), 0);
    EXPECT_EQ (map.findEventNumber ("Options"), -1);
}

TEST (EventsMap, ProcessorHoldsTheBuiltInMap)
{
    const auto processor = Halvenek::create();
    auto& map = processor->getEventsMap();

    EXPECT_EQ (map.size(), 11);
    EXPECT_EQ (map.findEventNumber ("Toggle Midi Learn"), EventsMap::toggleMidiLearnEvent);
    EXPECT_EQ (map.findEventName (EventsMap::selectNextPresetEvent), "Select next preset");
}
