#include "framework/midi/MidiControl.h"
#include "framework/parameters/XmlReading.h"

#include "MessageLoop.h"
#include "RandomBytes.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
    void pumpMessages()
    {
        // Long enough for notifications raised off the message thread to be collected too.
        MessageLoop::runFor (3 * AudioThreadSafeAsyncUpdater::collectionIntervalMilliseconds);
    }

    juce::MidiMessage controlChange (int channel, int controller, int value)
    {
        return juce::MidiMessage::controllerEvent (channel, controller, value);
    }

    // Records every notification as text, so that order and count can be checked.
    struct RecordingListener : MidiControl::Listener
    {
        RecordingListener (juce::StringArray& logToUse, juce::String nameToUse)
            : log (logToUse), name (std::move (nameToUse)) {}

        void mapChanged() override                          { log.add (name + " map"); }
        void learnStateChanged (MidiControl&) override      { log.add (name + " learn"); }
        void controllerMoved (MidiControl&) override        { log.add (name + " moved"); }

        juce::StringArray& log;
        juce::String name;
    };

    class MidiControlTest : public ::testing::Test
    {
    protected:
        MidiControlTest()
        {
            parameters.loadDefinitions ("parameters.xml");
            parameters.addParameter (std::make_unique<IntParameter> (ParameterManager::currentPresetNumberIndex,
                                                                     "Current Preset Number", 0, 127, 0, false));
            control.setMapName ("Halvenek");
        }

        ~MidiControlTest() override
        {
            control.removeListener (&listener);
            tempFolder.deleteRecursively();
        }

        Parameter& parameter (const juce::String& name)
        {
            auto* p = parameters.getParameterByName (name);
            EXPECT_NE (p, nullptr) << name;
            return *p;
        }

        juce::File writeTempFile (const juce::String& name, const juce::String& content)
        {
            tempFolder.createDirectory();
            auto file = tempFolder.getChildFile (name);
            file.replaceWithText (content);
            return file;
        }

        juce::String mapText() const
        {
            return XmlReading::toDocumentText (*control.createMapXml());
        }

        void learnAndDrain()
        {
            control.setLearnMode (true);
            pumpMessages();
            log.clear();
        }

        ParameterManager parameters;
        MidiControl control { parameters };
        juce::StringArray log;
        RecordingListener listener { log, "A" };
        juce::File tempFolder { juce::File::createTempFile ("midicontrol") };
    };
}

//==============================================================================
TEST_F (MidiControlTest, ControlChangeOnAnyChannelSetsTheAssignedParameter)
{
    control.assign (7, &parameter ("Output Volume"), false);

    control.handleMidiMessage (controlChange (5, 7, 64));
    EXPECT_FLOAT_EQ (parameter ("Output Volume").getNormalisedValue(), 64.0f / 127.0f);
    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), 64.0f * 0.007874016f);

    control.handleMidiMessage (controlChange (16, 7, 127));
    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), 1.0f);

    control.handleMidiMessage (controlChange (1, 7, 0));
    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), 0.0f);
    EXPECT_EQ (control.getLastMovedParameter(), &parameter ("Output Volume"));
}

TEST_F (MidiControlTest, ChannelModeControllersAreHandledLikeAnyOther)
{
    control.assign (123, &parameter ("FX"), false);
    control.handleMidiMessage (controlChange (1, 123, 0));
    EXPECT_EQ (parameter ("FX").getNormalisedValue(), 0.0f);
}

TEST_F (MidiControlTest, OtherMessagesAndBrokenBytesChangeNothing)
{
    control.assign (7, &parameter ("Output Volume"), false);
    const float before = parameter ("Output Volume").getNormalisedValue();

    control.handleMidiMessage (juce::MidiMessage::noteOn (1, 7, (juce::uint8) 100));
    control.handleMidiMessage (juce::MidiMessage::pitchWheel (1, 0));
    control.handleMidiMessage (controlChange (1, 8, 100));    // empty slot

    // A status byte with data bytes above 127, as only a broken sender makes them.
    const juce::uint8 brokenController[] = { 0xb0, 0x87, 0x10 };
    control.handleMidiMessage (juce::MidiMessage (brokenController, 3));

    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), before);
    EXPECT_EQ (control.getLastMovedParameter(), nullptr);

    const juce::uint8 brokenValue[] = { 0xb3, 7, 0xff };
    control.handleMidiMessage (juce::MidiMessage (brokenValue, 3));
    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), 1.0f);
}

//==============================================================================
TEST_F (MidiControlTest, AssignKeepsEachParameterInOneSlot)
{
    auto& fx = parameter ("FX");

    control.assign (5, &fx, true);
    control.assign (9, &fx, true);
    EXPECT_EQ (control.getAssignedParameter (5), nullptr);
    EXPECT_EQ (control.getAssignedParameter (9), &fx);
    EXPECT_EQ (control.findController (&fx), 9);
    EXPECT_EQ (control.getNumAssignments(), 1);

    control.assign (9, &parameter ("BBD"), true);
    EXPECT_EQ (control.findController (&fx), -1);

    control.assign (9, nullptr, true);
    EXPECT_EQ (control.getNumAssignments(), 0);

    control.assign (128, &fx, true);
    control.assign (-1, &fx, true);
    EXPECT_EQ (control.getNumAssignments(), 0);
    EXPECT_EQ (control.getAssignedParameter (200), nullptr);
}

TEST_F (MidiControlTest, NotificationsArriveLaterAndCollapseIntoOneCallPerKind)
{
    RecordingListener second (log, "B");
    control.addListener (&listener);
    control.addListener (&second);
    control.addListener (&listener);    // no duplicates

    control.assign (7, &parameter ("FX"), true);
    control.assign (8, &parameter ("BBD"), true);
    control.handleMidiMessage (controlChange (1, 7, 10));
    control.handleMidiMessage (controlChange (1, 8, 20));
    control.clearAssignments();
    EXPECT_TRUE (log.isEmpty());

    pumpMessages();
    EXPECT_EQ (log, juce::StringArray ({ "B map", "A map", "B moved", "A moved" }));
    EXPECT_EQ (control.getLastMovedParameter(), &parameter ("BBD"));

    log.clear();
    pumpMessages();
    EXPECT_TRUE (log.isEmpty());

    // A notification without the flag set carries nothing, and unassigned changes post nothing.
    control.assign (7, &parameter ("FX"), false);
    control.assign (7, &parameter ("FX"), true);
    pumpMessages();
    EXPECT_TRUE (log.isEmpty());

    control.removeListener (&second);
}

TEST_F (MidiControlTest, AListenerMayRemoveItselfWhileBeingCalled)
{
    struct SelfRemover : MidiControl::Listener
    {
        explicit SelfRemover (MidiControl& c) : control (c) {}
        void mapChanged() override { ++calls; control.removeListener (this); }
        MidiControl& control;
        int calls = 0;
    };

    SelfRemover remover (control);
    control.addListener (&listener);
    control.addListener (&remover);

    control.clearAssignments();
    pumpMessages();
    control.clearAssignments();
    pumpMessages();

    EXPECT_EQ (remover.calls, 1);
    EXPECT_EQ (log, juce::StringArray ({ "A map", "A map" }));
}

//==============================================================================
TEST_F (MidiControlTest, SwitchingLearnModeNotifiesAtOnceAndResetsTheLearnState)
{
    control.addListener (&listener);

    control.setLearnMode (true);
    EXPECT_EQ (log, juce::StringArray ({ "A learn" }));
    EXPECT_TRUE (control.isLearning());

    control.setLearnMode (true);
    EXPECT_EQ (log.size(), 1);

    control.learnParameter (&parameter ("FX"));
    control.setLearnMode (false);
    control.setLearnMode (true);
    EXPECT_EQ (control.getPendingParameter(), nullptr);
    EXPECT_EQ (control.getPendingController(), -1);
}

TEST_F (MidiControlTest, LearnTextFollowsEveryRowOfTheTable)
{
    EXPECT_EQ (control.getLearnStatusText(), "");

    control.setLearnMode (true);
    EXPECT_EQ (control.getLearnStatusText(), "Waiting for a controller or parameter movement...");

    control.learnParameter (&parameter ("FX"));
    EXPECT_EQ (control.getLearnStatusText(), "'FX' parameter is free. Waiting for a free controller now...");

    control.setLearnMode (false);
    control.setLearnMode (true);
    control.learnController (20);
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is free. Waiting for a parameter now...");

    control.learnParameter (&parameter ("BBD"));
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is assigned to parameter 'BBD'.");

    control.setLearnMode (false);
    EXPECT_EQ (control.getLearnStatusText(), "");
}

TEST_F (MidiControlTest, LearnParameterThenFreeControllerAssigns)
{
    learnAndDrain();
    control.addListener (&listener);

    control.learnParameter (&parameter ("FX"));
    EXPECT_EQ (control.getLearnStatusText(), "'FX' parameter is free. Waiting for a free controller now...");

    control.handleMidiMessage (controlChange (3, 20, 90));
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is assigned to parameter 'FX'.");
    EXPECT_EQ (control.getAssignedParameter (20), &parameter ("FX"));

    // The learning controller already drives its new parameter in the same message.
    EXPECT_EQ (parameter ("FX").getNormalisedValue(), 90.0f * 0.007874016f);

    pumpMessages();
    EXPECT_EQ (log, juce::StringArray ({ "A map", "A learn", "A moved" }));
}

TEST_F (MidiControlTest, LearningNeverTakesOverAnAssignedController)
{
    control.assign (20, &parameter ("FX"), false);
    learnAndDrain();

    control.learnController (20);
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is assigned to parameter 'FX'.");

    control.learnParameter (&parameter ("BBD"));
    EXPECT_EQ (control.getLearnStatusText(), "'BBD' parameter is free. Waiting for a free controller now...");
    EXPECT_EQ (control.getAssignedParameter (20), &parameter ("FX"));
    EXPECT_EQ (control.findController (&parameter ("BBD")), -1);
}

TEST_F (MidiControlTest, LearnMovesAParameterToAFreeController)
{
    control.assign (5, &parameter ("FX"), false);
    learnAndDrain();

    // The parameter with a controller shows that assignment; a free controller then
    // waits for a parameter, and moving the parameter again moves it over.
    control.learnParameter (&parameter ("FX"));
    EXPECT_EQ (control.getLearnStatusText(), "CC# 5 is assigned to parameter 'FX'.");

    control.learnController (20);
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is free. Waiting for a parameter now...");

    control.learnParameter (&parameter ("FX"));
    EXPECT_EQ (control.getLearnStatusText(), "CC# 20 is assigned to parameter 'FX'.");
    EXPECT_EQ (control.getAssignedParameter (20), &parameter ("FX"));
    EXPECT_EQ (control.getAssignedParameter (5), nullptr);
}

TEST_F (MidiControlTest, LearnIgnoresCallsOutsideLearnModeAndUnlearnableInput)
{
    control.learnParameter (&parameter ("FX"));
    control.learnController (20);
    EXPECT_EQ (control.getPendingParameter(), nullptr);
    EXPECT_EQ (control.getPendingController(), -1);

    control.setLearnMode (true);
    control.learnParameter (&parameter ("Current Preset Number"));
    control.learnParameter (nullptr);
    control.learnController (128);
    control.learnController (-3);
    EXPECT_EQ (control.getPendingParameter(), nullptr);
    EXPECT_EQ (control.getPendingController(), -1);
}

TEST_F (MidiControlTest, RemovingAnAssignmentWhileLearningStartsLearningAfresh)
{
    control.assign (20, &parameter ("FX"), false);
    learnAndDrain();
    control.addListener (&listener);

    control.learnController (20);
    pumpMessages();
    log.clear();

    control.removeAssignment (20);
    EXPECT_EQ (control.getAssignedParameter (20), nullptr);
    EXPECT_EQ (control.getLearnStatusText(), "Waiting for a controller or parameter movement...");

    pumpMessages();
    EXPECT_EQ (log, juce::StringArray ({ "A map", "A learn" }));

    log.clear();
    control.setLearnMode (false);
    log.clear();
    control.removeAssignment (20);
    pumpMessages();
    EXPECT_TRUE (log.isEmpty());
}

//==============================================================================
TEST_F (MidiControlTest, MapDocumentListsAssignmentsInControllerOrder)
{
    control.assign (64, &parameter ("FX"), false);
    control.assign (3, &parameter ("LFO 1 Rate"), false);

    auto map = control.createMapXml();
    EXPECT_EQ (map->getTagName(), "MidiControlMap");
    EXPECT_EQ (map->getStringAttribute ("name"), "Halvenek");
    ASSERT_EQ (map->getNumChildElements(), 2);
    EXPECT_EQ (map->getChildElement (0)->getTagName(), "assign");
    EXPECT_EQ (map->getChildElement (0)->getStringAttribute ("CC"), "3");
    EXPECT_EQ (map->getChildElement (0)->getStringAttribute ("param"), "LFO 1 Rate");
    EXPECT_EQ (map->getChildElement (1)->getStringAttribute ("CC"), "64");
    EXPECT_EQ (map->getChildElement (1)->getStringAttribute ("param"), "FX");

    MidiControl other (parameters);
    other.setMapName ("Halvenek");
    other.loadMapXml (*map);
    EXPECT_EQ (XmlReading::toDocumentText (*other.createMapXml()), mapText());
}

TEST_F (MidiControlTest, LoadingAMapFollowsTheReadingRules)
{
    control.assign (100, &parameter ("BBD"), false);
    control.setLearnMode (true);

    auto map = XmlReading::parse (R"(<MIDICCMAP NAME="halvenek">
                                       <assign CC="5" param="FX"/>
                                       <other CC="6" param="BBD"/>
                                       <ASSIGN cc="5" PARAM="Output Volume"/>
                                       <assign CC="7" param="fx"/>
                                       <assign CC="8" param="Current Preset Number"/>
                                       <assign CC="128" param="LFO 1 Rate"/>
                                       <assign CC="-1" param="LFO 2 Rate"/>
                                       <assign CC="x" param="LFO 1 Depth"/>
                                       <assign param="LFO 2 Depth"/>
                                       <assign CC=" 12abc" param="Output Volume"/>
                                     </MIDICCMAP>)");
    ASSERT_NE (map, nullptr);
    control.loadMapXml (*map);

    EXPECT_FALSE (control.isLearning());
    EXPECT_EQ (control.getAssignedParameter (100), nullptr);

    // "Output Volume" replaced "FX" in slot 5 and later moved on to slot 12 (leading
    // digits count); a missing or non-numeric CC is 0, where the last entry wins.
    EXPECT_EQ (control.getAssignedParameter (5), nullptr);
    EXPECT_EQ (control.getAssignedParameter (12), &parameter ("Output Volume"));
    EXPECT_EQ (control.getAssignedParameter (0), &parameter ("LFO 2 Depth"));
    EXPECT_EQ (control.getNumAssignments(), 2);
}

TEST_F (MidiControlTest, TwoEntriesForOneControllerKeepTheSecond)
{
    auto map = XmlReading::parse (R"(<MidiControlMap name="Halvenek"><assign CC="5" param="FX"/><assign CC="5" param="BBD"/></MidiControlMap>)");
    control.loadMapXml (*map);
    EXPECT_EQ (control.getAssignedParameter (5), &parameter ("BBD"));
    EXPECT_EQ (control.getNumAssignments(), 1);
}

TEST_F (MidiControlTest, MapsOfOtherProductsLeaveAnEmptyMapWhenLoadedFromAState)
{
    control.assign (5, &parameter ("FX"), false);

    auto foreign = XmlReading::parse (R"(<MidiControlMap name="Other" application="Other"><assign CC="6" param="FX"/></MidiControlMap>)");
    control.loadMapXml (*foreign);
    EXPECT_EQ (control.getNumAssignments(), 0);

    auto byApplication = XmlReading::parse (R"(<MidiControlMap name="My map" application="HALVENEK"><assign CC="6" param="FX"/></MidiControlMap>)");
    control.loadMapXml (*byApplication);
    EXPECT_EQ (control.getAssignedParameter (6), &parameter ("FX"));

    auto wrongTag = XmlReading::parse (R"(<Map name="Halvenek"><assign CC="6" param="FX"/></Map>)");
    control.loadMapXml (*wrongTag);
    EXPECT_EQ (control.getNumAssignments(), 0);

    control.setMapName ({});
    control.loadMapXml (*foreign);
    EXPECT_EQ (control.getAssignedParameter (6), &parameter ("FX"));
}

//==============================================================================
TEST_F (MidiControlTest, MapFilesRoundTrip)
{
    control.assign (1, &parameter ("LFO 1 Depth"), false);
    control.assign (127, &parameter ("Hi Pass Frequency"), false);

    tempFolder.createDirectory();
    const auto file = tempFolder.getChildFile ("mine.hlccmap");
    ASSERT_TRUE (control.saveMapFile (file));
    EXPECT_TRUE (file.loadFileAsString().startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));

    const auto saved = mapText();
    control.clearAssignments();
    EXPECT_TRUE (control.loadMapFile (file));
    EXPECT_EQ (mapText(), saved);
}

TEST_F (MidiControlTest, AMapFileThatIsNoMapOfThisProductKeepsTheAssignments)
{
    control.assign (5, &parameter ("FX"), false);
    control.setLearnMode (true);
    const auto before = mapText();

    const juce::File files[] = {
        tempFolder.getChildFile ("missing.hlccmap"),
        writeTempFile ("foreign.hlccmap", R"(<MidiControlMap name="Other"><assign CC="6" param="BBD"/></MidiControlMap>)"),
        writeTempFile ("preset.hlprs", R"(<Preset application="Halvenek" name="x"/>)"),
        writeTempFile ("broken.hlccmap", R"(<MidiControlMap name="Halvenek"><assign CC="6")"),
        writeTempFile ("empty.hlccmap", ""),
        writeTempFile ("entity.hlccmap", R"(<!DOCTYPE m [<!ENTITY a "&aa;">]><MidiControlMap name="Halvenek">&a;</MidiControlMap>)"),
        tempFolder
    };

    for (auto& file : files)
    {
        EXPECT_FALSE (control.loadMapFile (file)) << file.getFileName();
        EXPECT_EQ (mapText(), before) << file.getFileName();
        EXPECT_TRUE (control.isLearning());
    }
}

TEST_F (MidiControlTest, StartupMapLoadsOnlyWhenChosen)
{
    const auto file = writeTempFile ("startup.hlccmap", R"(<MidiControlMap name="Halvenek"><assign CC="9" param="FX"/></MidiControlMap>)");
    control.setUserMapFile (file);

    control.loadStartupMap();
    EXPECT_EQ (control.getNumAssignments(), 0);

    control.setUseUserMap (true);
    control.loadStartupMap();
    EXPECT_EQ (control.getAssignedParameter (9), &parameter ("FX"));

    control.setUserMapFile (tempFolder.getChildFile ("gone.hlccmap"));
    control.loadStartupMap();
    EXPECT_EQ (control.getAssignedParameter (9), &parameter ("FX"));
}

TEST_F (MidiControlTest, DamagedMapFilesNeverCrashAndChangeNothingUnlessAccepted)
{
    for (int c = 0; c < 40; ++c)
        control.assign (c * 3, parameters.getParameter (c % 23), false);

    tempFolder.createDirectory();
    const auto valid = tempFolder.getChildFile ("valid.hlccmap");
    ASSERT_TRUE (control.saveMapFile (valid));
    juce::MemoryBlock original;
    ASSERT_TRUE (valid.loadFileAsData (original));
    const auto reference = mapText();

    juce::Random random (0x5eed);
    const auto damaged = tempFolder.getChildFile ("damaged.hlccmap");

    for (int i = 0; i < 600; ++i)
    {
        juce::MemoryBlock bytes (original);

        if (i % 3 == 0)
            bytes.setSize ((size_t) random.nextInt ((int) bytes.getSize()));
        else if (i % 3 == 1)
            for (int flips = 1 + random.nextInt (8); --flips >= 0;)
                static_cast<char*> (bytes.getData())[random.nextInt ((int) bytes.getSize())] ^= (char) (1 << random.nextInt (8));
        else
            fillWithRandomBytes (random, bytes.getData(), bytes.getSize());

        damaged.replaceWithData (bytes.getData(), bytes.getSize());

        if (control.loadMapFile (damaged))
        {
            control.loadMapFile (valid);
        }
        else
        {
            ASSERT_EQ (mapText(), reference) << "case " << i;
        }
    }

    EXPECT_EQ (mapText(), reference);
}

//==============================================================================
TEST_F (MidiControlTest, ControllersOnTheAudioThreadRaceSafelyWithMapEdits)
{
    control.addListener (&listener);
    std::atomic<bool> running { true };

    std::thread audio ([this, &running]
    {
        for (int i = 0; running.load(); ++i)
            control.handleMidiMessage (controlChange (1 + (i % 16), i % 128, i % 128));
    });

    const auto map = XmlReading::parse (R"(<MidiControlMap name="Halvenek"><assign CC="1" param="FX"/><assign CC="2" param="BBD"/></MidiControlMap>)");

    for (int i = 0; i < 2000; ++i)
    {
        control.assign (i % 128, parameters.getParameter (i % 23), true);
        control.setLearnMode (i % 2 == 0);
        control.learnParameter (parameters.getParameter ((i + 7) % 23));

        if (i % 100 == 0)
        {
            control.loadMapXml (*map);
            pumpMessages();
        }
    }

    running.store (false);
    audio.join();
    pumpMessages();

    EXPECT_LE (control.getNumAssignments(), 23);

    for (int c = 0; c < MidiControl::numControllers; ++c)
    {
        if (auto* p = control.getAssignedParameter (c))
        {
            EXPECT_EQ (control.findController (p), c);
        }
    }
}
