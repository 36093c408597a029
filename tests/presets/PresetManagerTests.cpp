#include "../HeapAllocationCounter.h"
#include "../MessageLoop.h"
#include "PresetTestProcessor.h"

#include "framework/parameters/XmlReading.h"

#include <gtest/gtest.h>
#include <pluginterfaces/vst/ivstunits.h>

#include <set>
#include <thread>
#include <utility>
#include <vector>

namespace
{
    constexpr int depth1 = 3, fx = 21, outputVolume = 22;

    struct TemporaryFolder
    {
        TemporaryFolder()  { folder.createDirectory(); }
        ~TemporaryFolder() { folder.deleteRecursively(); }

        juce::File file (const juce::String& name, const juce::String& content = {}) const
        {
            auto f = folder.getChildFile (name);

            if (content.isNotEmpty())
                f.replaceWithText (content);

            return f;
        }

        const juce::File folder = juce::File::getSpecialLocation (juce::File::tempDirectory)
                                      .getNonexistentChildFile ("halvenek-presets", {}, false);
    };

    std::unique_ptr<PresetTestProcessor> makeProcessor (std::function<void (PresetTestProcessor&)> settings = {})
    {
        auto processor = std::make_unique<PresetTestProcessor>();
        processor->userSettings = std::move (settings);
        processor->initialise();
        return processor;
    }

    struct CountingChanger : BasePluginOldStyle::PresetChanger
    {
        void changePreset() override { ++changes; }
        int changes = 0;
    };

    struct OrderListener : BasePluginOldStyle::PresetManagerListener
    {
        OrderListener (juce::StringArray& l, const juce::String& n) : log (l), name (n) {}
        void presetChanged() override { log.add (name); }
        juce::StringArray& log;
        juce::String name;
    };

    struct CountingParameterListener : Parameter::Listener
    {
        void parameterChanged (Parameter&) override { ++changes; }
        int changes = 0;
    };

    juce::String presetDocument (const juce::String& name, const juce::String& params, const juce::String& application = "Halvenek")
    {
        return "<?xml version=\"1.0\"?><Preset application=\"" + application + "\" name=\"" + name + "\">" + params + "</Preset>";
    }

    void expectParametersMatchSlot (PresetTestProcessor& p, int slot)
    {
        for (int i = 0; i < PresetTestProcessor::numParameters; ++i)
            EXPECT_FLOAT_EQ (p.parameterValue (i), juce::jlimit (0.0f, 1.0f, p.getPresetValue (slot, i))) << "parameter " << i;
    }
}

//==============================================================================
TEST (PresetManagerStartUp, LoadsTheFactoryBankAndAppliesSlotZero)
{
    const auto p = makeProcessor();

    EXPECT_EQ (p->getCurrentPresetNumber(), 0);
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 7);
    EXPECT_EQ (p->getPresetBank().getGroupName (6), "Not used");
    EXPECT_EQ (p->currentPresetNameParameter(), p->getPresetName (0));
    EXPECT_NE (p->getPresetName (0), "Preset 0");
    expectParametersMatchSlot (*p, 0);
    EXPECT_EQ (p->startupMidiMapLoads, 1);
    EXPECT_EQ (p->getRecentDirectory(), juce::File::getSpecialLocation (juce::File::userHomeDirectory).getFullPathName());

    // The embedded default preset holds the definition defaults; slots cleared later get them.
    EXPECT_EQ (p->getDefaultPreset().getName(), "empty");
    EXPECT_FLOAT_EQ (p->getDefaultPreset().getValue (depth1), 0.2f);
    EXPECT_FLOAT_EQ (p->getDefaultPreset().getValue (outputVolume), 0.5f);
}

TEST (PresetManagerStartUp, ClearModeStartsWithNumberedDefaultSlots)
{
    const auto p = makeProcessor ([] (PresetTestProcessor& q) { q.setDefaultPresetsMode (BasePluginOldStyle::DefaultPresetsMode::clear); });

    EXPECT_EQ (p->getPresetName (0), "Preset 0");
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 1);
    EXPECT_FLOAT_EQ (p->parameterValue (outputVolume), 0.5f);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.2f);
    EXPECT_EQ (p->currentPresetNameParameter(), "Preset 0");
}

TEST (PresetManagerStartUp, UserDefinedModeStartsWithTheUsersBank)
{
    const TemporaryFolder temp;
    const auto bankFile = temp.file ("mine.hlprsb",
        "<PresetBank name=\"Mine\"><PresetGroup name=\"Only\">"
        "<Preset application=\"Halvenek\" name=\"First\"><param name=\"Output Volume\" value=\"0.4\"/></Preset>"
        "</PresetGroup></PresetBank>");

    const auto p = makeProcessor ([&] (PresetTestProcessor& q)
    {
        q.setDefaultPresetsMode (BasePluginOldStyle::DefaultPresetsMode::userDefined);
        q.setUserPresetBankFile (bankFile.getFullPathName());
    });

    EXPECT_EQ (p->getPresetBank().getName(), "Mine");
    EXPECT_EQ (p->getPresetName (0), "First");
    EXPECT_FLOAT_EQ (p->parameterValue (outputVolume), 0.4f);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.2f);
    EXPECT_EQ (p->getRecentDirectory(), temp.folder.getFullPathName());
}

class UnusableUserBank : public testing::TestWithParam<const char*> {};

TEST_P (UnusableUserBank, FallsBackToTheFactoryBank)
{
    const TemporaryFolder temp;
    const juce::String kind (GetParam());
    juce::String path;

    if (kind == "missing")        path = temp.file ("gone.hlprsb").getFullPathName();
    else if (kind == "folder")    path = temp.folder.getFullPathName();
    else if (kind == "relative")  path = "mine.hlprsb";
    else if (kind == "broken")    path = temp.file ("broken.hlprsb", "<PresetBank><PresetGroup name=\"x\">").getFullPathName();
    else if (kind == "binary")    path = temp.file ("binary.hlprsb", juce::String::charToString (0x7f) + "\x01\x02 not xml").getFullPathName();
    else if (kind == "notABank")  path = temp.file ("preset.hlprsb", presetDocument ("x", {})).getFullPathName();

    const auto p = makeProcessor ([&] (PresetTestProcessor& q)
    {
        q.setDefaultPresetsMode (BasePluginOldStyle::DefaultPresetsMode::userDefined);
        q.setUserPresetBankFile (path);
    });

    const auto factory = makeProcessor();
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 7);
    EXPECT_EQ (p->getPresetName (0), factory->getPresetName (0));
    expectParametersMatchSlot (*p, 0);
    EXPECT_GT (p->parameterValue (outputVolume), 0.0f);
}

INSTANTIATE_TEST_SUITE_P (PresetManagerStartUp, UnusableUserBank,
                          testing::Values ("", "missing", "folder", "relative", "broken", "binary", "notABank"));

//==============================================================================
TEST (PresetManagerSelection, NextAndPreviousStopAtTheEnds)
{
    const auto p = makeProcessor();

    p->handleEvent (EventsMap::selectPreviousPresetEvent);
    EXPECT_EQ (p->getCurrentPresetNumber(), 0);

    p->handleEvent (EventsMap::selectNextPresetEvent);
    EXPECT_EQ (p->getCurrentPresetNumber(), 1);
    EXPECT_EQ (p->currentPresetNumberParameter(), 1);
    EXPECT_EQ (p->currentPresetNameParameter(), p->getPresetName (1));
    expectParametersMatchSlot (*p, 1);

    p->selectPreset (127, true);
    p->selectNextPreset();
    EXPECT_EQ (p->getCurrentPresetNumber(), 127);

    p->selectPreset (128, true);
    p->selectPreset (-1, true);
    EXPECT_EQ (p->getCurrentPresetNumber(), 127);
}

TEST (PresetManagerSelection, SelectingDoesNotApply)
{
    const auto p = makeProcessor();
    const float before = p->parameterValue (fx);
    p->getPresetBank().getPreset (4)->setValue (fx, before == 0.3f ? 0.6f : 0.3f);

    p->selectPreset (4, true);

    EXPECT_EQ (p->getCurrentPresetNumber(), 4);
    EXPECT_EQ (p->currentPresetNumberParameter(), 4);
    EXPECT_FLOAT_EQ (p->parameterValue (fx), before);
}

TEST (PresetManagerSelection, ListenersHearOfEveryApplyLastRegisteredFirst)
{
    const auto p = makeProcessor();
    juce::StringArray log;
    OrderListener first (log, "first"), second (log, "second");
    p->addPresetManagerListener (&first);
    p->addPresetManagerListener (&second);
    p->addPresetManagerListener (&second);

    p->applyCurrentPreset();

    EXPECT_EQ (log, juce::StringArray ({ "second", "first" }));
}

TEST (PresetManagerSelection, UnknownEventsDoNothing)
{
    const auto p = makeProcessor();
    p->setParameter (fx, 0.123f);

    for (int event : { 1000, 1001, 1004, 1005, 1006, 1010, 0, -1, 5000 })
        p->handleEvent (event);

    EXPECT_EQ (p->getCurrentPresetNumber(), 0);
    EXPECT_FLOAT_EQ (p->parameterValue (fx), 0.123f);
    EXPECT_FALSE (p->hasCopiedPreset());
    EXPECT_NE (p->getPresetValue (0, fx), 0.123f);
}

//==============================================================================
TEST (PresetManagerStoring, OnDemandKeepsTheSlotUntilStored)
{
    const auto p = makeProcessor();
    const float stored = p->getPresetValue (0, depth1);

    p->setParameter (depth1, 0.77f);
    EXPECT_FLOAT_EQ (p->getPresetValue (0, depth1), stored);

    p->selectNextPreset();
    p->selectPreviousPreset();
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), stored);

    p->setParameter (depth1, 0.77f);
    p->handleEvent (EventsMap::storeCurrentPresetEvent);
    p->selectNextPreset();
    p->selectPreviousPreset();
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.77f);
}

TEST (PresetManagerStoring, AutomaticModeFollowsEveryChange)
{
    const auto p = makeProcessor();
    p->setParameter (depth1, 0.61f);

    p->setStoringMode (BasePluginOldStyle::StoringMode::automatic);
    EXPECT_FLOAT_EQ (p->getPresetValue (0, depth1), 0.61f);

    p->setParameter (fx, 0.44f);
    EXPECT_FLOAT_EQ (p->getPresetValue (0, fx), 0.44f);

    p->selectNextPreset();
    p->selectPreviousPreset();
    EXPECT_FLOAT_EQ (p->parameterValue (fx), 0.44f);
}

TEST (PresetManagerStoring, AutomaticModeFromTheSettingsStoresAtOnce)
{
    const auto p = makeProcessor ([] (PresetTestProcessor& q) { q.setStoringMode (BasePluginOldStyle::StoringMode::automatic); });

    EXPECT_EQ (p->getStoringMode(), BasePluginOldStyle::StoringMode::automatic);
    p->setParameter (depth1, 0.91f);
    EXPECT_FLOAT_EQ (p->getPresetValue (0, depth1), 0.91f);
}

TEST (PresetManagerStoring, CopyAndPasteCarryNameAndLiveValues)
{
    const auto p = makeProcessor();

    p->handleEvent (EventsMap::pasteCopiedPresetEvent);
    EXPECT_EQ (p->getPresetName (0), makeProcessor()->getPresetName (0));

    p->renamePreset (2, "Warm");
    p->selectPreset (2, true);
    p->applyCurrentPreset();
    p->setParameter (depth1, 0.83f);
    std::vector<float> live;

    for (int i = 0; i < PresetTestProcessor::numParameters; ++i)
        live.push_back (p->parameterValue (i));

    p->handleEvent (EventsMap::copyCurrentPresetEvent);

    p->selectPreset (9, true);
    p->applyCurrentPreset();
    p->handleEvent (EventsMap::pasteCopiedPresetEvent);

    EXPECT_EQ (p->getPresetName (9), "Warm_copy");
    EXPECT_EQ (p->currentPresetNameParameter(), "Warm_copy");
    EXPECT_FLOAT_EQ (p->getPresetValue (9, depth1), 0.83f);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.83f);

    for (int i = 0; i < PresetTestProcessor::numParameters; ++i)
        EXPECT_FLOAT_EQ (p->getPresetValue (9, i), live[(size_t) i]) << i;

    // The clipboard keeps its content: pasting again elsewhere gives the same result.
    p->selectPreset (10, true);
    p->handleEvent (EventsMap::pasteCopiedPresetEvent);
    EXPECT_EQ (p->getPresetName (10), "Warm_copy");
}

TEST (PresetManagerStoring, PresetNameParameterRenamesTheCurrentSlotOnly)
{
    const auto p = makeProcessor();
    p->selectPreset (6, true);

    p->getParameterManager().setCurrentPresetName ("Lead");
    EXPECT_EQ (p->getPresetName (6), "Lead");

    p->getParameterManager().setCurrentPresetNumber (5);
    EXPECT_EQ (p->getCurrentPresetNumber(), 6);

    p->renamePreset (6, "Pad");
    EXPECT_EQ (p->currentPresetNameParameter(), "Pad");
    p->renamePreset (7, "Other");
    EXPECT_EQ (p->currentPresetNameParameter(), "Pad");
    p->renamePreset (128, "Nowhere");
    EXPECT_EQ (p->getPresetName (128), "");
}

TEST (PresetManagerStoring, ApplyingClampsWhatTheSlotHolds)
{
    const auto p = makeProcessor();
    p->getPresetBank().getPreset (0)->setValue (fx, 1.7f);
    p->getPresetBank().getPreset (0)->setValue (depth1, -3.0f);

    p->applyCurrentPreset();

    EXPECT_FLOAT_EQ (p->parameterValue (fx), 1.0f);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.0f);
    EXPECT_FLOAT_EQ (p->getPresetValue (0, fx), 1.7f);
}

//==============================================================================
TEST (PresetManagerProgramChange, SelectsAndAppliesPresetsBelow128)
{
    const auto p = makeProcessor();

    p->handleProgramChange (7);
    EXPECT_EQ (p->getCurrentPresetNumber(), 7);
    expectParametersMatchSlot (*p, 7);

    p->setParameter (depth1, 0.99f);
    p->handleProgramChange (7);
    expectParametersMatchSlot (*p, 7);

    p->handleProgramChange (130);
    p->handleProgramChange (128);
    p->handleProgramChange (-1);
    EXPECT_EQ (p->getCurrentPresetNumber(), 7);
}

TEST (PresetManagerProgramChange, SilentModeLeavesTheApplyToTheChanger)
{
    const auto p = makeProcessor();
    p->setChangingMode (BasePluginOldStyle::ChangingMode::silent);

    // Without a changer the change is applied at once.
    p->handleProgramChange (2);
    expectParametersMatchSlot (*p, 2);

    CountingChanger changer;
    p->setPresetChanger (&changer);
    const float before = p->parameterValue (depth1);
    p->getPresetBank().getPreset (5)->setValue (depth1, before == 0.25f ? 0.75f : 0.25f);

    p->handleProgramChange (5);
    EXPECT_EQ (changer.changes, 1);
    EXPECT_EQ (p->getCurrentPresetNumber(), 5);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), before);

    p->handleEvent (EventsMap::selectNextPresetEvent);
    EXPECT_EQ (changer.changes, 2);
    EXPECT_EQ (p->getCurrentPresetNumber(), 6);

    p->applyCurrentPreset();
    expectParametersMatchSlot (*p, 6);
    EXPECT_EQ (p->currentPresetNumberParameter(), 6);
}

TEST (PresetManagerHostPrograms, LV2AndVst3HostsChooseSlotsAsAProgramChangeDoesAndHearOfChanges)
{
    EXPECT_EQ (makeProcessor()->getNumPrograms(), 0);   // the VST 2.4 layer declares none

    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_VST3);
    const auto p = makeProcessor();
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);

    struct HostListener : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override {}
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails& details) override
        {
            programChanges += details.programChanged ? 1 : 0;
            nameChanges += details.parameterInfoChanged ? 1 : 0;
        }
        int programChanges = 0, nameChanges = 0;
    } host;
    p->addListener (&host);

    ASSERT_EQ (p->getNumPrograms(), 128);
    EXPECT_EQ (p->getProgramName (127), p->getPresetName (127));
    EXPECT_EQ (p->getProgramName (128), "");

    p->setCurrentProgram (9);
    EXPECT_EQ (p->getCurrentProgram(), 9);
    expectParametersMatchSlot (*p, 9);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return host.programChanges > 0; }));

    p->setChangingMode (BasePluginOldStyle::ChangingMode::silent);
    CountingChanger changer;
    p->setPresetChanger (&changer);
    p->setCurrentProgram (4);
    p->setCurrentProgram (200);
    EXPECT_EQ (changer.changes, 1);
    EXPECT_EQ (p->getCurrentProgram(), 4);

    p->changeProgramName (3, "Wide");
    EXPECT_EQ (p->getPresetName (3), "Wide");
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return host.nameChanges > 0; }));
    p->removeListener (&host);
}

namespace
{
    /** A VST3 host's component handler, as far as program lists go: counts the references
        it hands out and records the program-list notices. */
    struct FakeVst3UnitHandler : Steinberg::Vst::IUnitHandler
    {
        Steinberg::tresult PLUGIN_API queryInterface (const Steinberg::TUID iid, void** object) override
        {
            if (Steinberg::FUnknownPrivate::iidEqual (iid, Steinberg::Vst::IUnitHandler_iid)
                || Steinberg::FUnknownPrivate::iidEqual (iid, Steinberg::FUnknown_iid))
            {
                addRef();
                *object = this;
                return Steinberg::kResultOk;
            }

            *object = nullptr;
            return Steinberg::kNoInterface;
        }

        Steinberg::uint32 PLUGIN_API addRef() override  { return (Steinberg::uint32) ++references; }
        Steinberg::uint32 PLUGIN_API release() override { return (Steinberg::uint32) --references; }

        Steinberg::tresult PLUGIN_API notifyUnitSelection (Steinberg::Vst::UnitID) override { return Steinberg::kResultOk; }

        Steinberg::tresult PLUGIN_API notifyProgramListChange (Steinberg::Vst::ProgramListID listId, Steinberg::int32 program) override
        {
            notices.push_back ({ listId, program });
            return Steinberg::kResultOk;
        }

        int references = 1;
        std::vector<std::pair<Steinberg::Vst::ProgramListID, Steinberg::int32>> notices;
    };
}

TEST (PresetManagerHostPrograms, Vst3HostIsToldToRereadTheProgramListWhenNamesChange)
{
    FakeVst3UnitHandler host;

    makeProcessor()->setIComponentHandler (&host);   // the VST 2.4 layer lists no programs
    EXPECT_EQ (host.references, 1);

    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_VST3);
    auto p = makeProcessor();
    juce::AudioProcessor::setTypeOfNextNewPlugin (juce::AudioProcessor::wrapperType_Undefined);

    p->setIComponentHandler (&host);
    EXPECT_EQ (host.references, 2);

    p->changeProgramName (3, "Wide");
    p->movePreset (3, 7, 0, 0);
    ASSERT_TRUE (MessageLoop::runUntil ([&] { return ! host.notices.empty(); }));
    MessageLoop::dispatchPending();   // both changes coalesce into one notice

    const std::pair<Steinberg::Vst::ProgramListID, Steinberg::int32> wholeList { 0x70727374, Steinberg::Vst::kAllProgramInvalid };
    EXPECT_EQ (host.notices, std::vector { wholeList });

    p->setIComponentHandler (nullptr);   // the host detaches: its reference is given back
    EXPECT_EQ (host.references, 1);
    p->changeProgramName (4, "Narrow");
    MessageLoop::dispatchPending();
    EXPECT_EQ (host.notices.size(), 1u);

    p->setIComponentHandler (&host);
    p.reset();
    EXPECT_EQ (host.references, 1);   // nor is a reference kept past the plug-in's life
}

TEST (PresetManagerProgramChange, ApplyingAllocatesNothing)
{
    const auto p = makeProcessor();
    p->setStoringMode (BasePluginOldStyle::StoringMode::automatic);

    // Every parameter's deferred notification is already pending (the message loop does
    // not run here), so what is counted is the preset manager's own work.
    for (int program : { 1, 2, 1, 2 })
        p->handleProgramChange (program);

    int allocations;

    {
        const HeapAllocationCounter counter;
        p->handleProgramChange (1);
        p->handleProgramChange (2);
        p->applyCurrentPreset();
        allocations = counter.getCount();
    }

    EXPECT_EQ (allocations, 0);
    expectParametersMatchSlot (*p, 2);
}

//==============================================================================
class PresetManagerFiles : public testing::Test
{
protected:
    TemporaryFolder temp;
    std::unique_ptr<PresetTestProcessor> p = makeProcessor();
};

TEST_F (PresetManagerFiles, APresetFileWithThreeParamsChangesOnlyThose)
{
    const auto file = temp.file ("three.hlprs", presetDocument ("Three",
        "<param name=\"LFO 1 Depth\" value=\"0.11\"/><param name=\"FX\" value=\"0.22\"/><param name=\"BBD\" value=\"0\"/>"));
    const float oldOutput = p->getPresetValue (4, outputVolume);

    EXPECT_TRUE (p->loadPresetFile (file, 4));

    EXPECT_EQ (p->getPresetName (4), "Three");
    EXPECT_FLOAT_EQ (p->getPresetValue (4, depth1), 0.11f);
    EXPECT_FLOAT_EQ (p->getPresetValue (4, fx), 0.22f);
    EXPECT_FLOAT_EQ (p->getPresetValue (4, outputVolume), oldOutput);
    EXPECT_NE (p->parameterValue (depth1), 0.11f);

    // Loaded into the current slot, it is applied.
    EXPECT_TRUE (p->loadPresetFile (file, 0));
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.11f);
    EXPECT_EQ (p->currentPresetNameParameter(), "Three");
}

TEST_F (PresetManagerFiles, UnreadablePresetFilesChangeNothing)
{
    const juce::String name = p->getPresetName (0);
    p->setParameter (depth1, 0.37f);

    const juce::File files[] = {
        temp.file ("missing.hlprs"),
        temp.file ("truncated.hlprs", presetDocument ("Cut", "<param name=\"FX\" value=\"0.2\"/>").dropLastCharacters (12)),
        temp.file ("text.hlprs", "just some words"),
        temp.file ("half.hlprs", presetDocument ("Half &#xD800;", "<param name=\"FX\" value=\"0.2\"/>")),
        temp.folder,
    };

    for (const auto& file : files)
    {
        EXPECT_FALSE (p->loadPresetFile (file, 0));
        EXPECT_EQ (p->getPresetName (0), name);
        EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.37f);
    }

    // Another product's preset leaves the slot as it was.
    EXPECT_FALSE (p->loadPresetFile (temp.file ("other.hlprs", presetDocument ("Theirs", "<param name=\"FX\" value=\"0.2\"/>", "Other")), 0));
    EXPECT_EQ (p->getPresetName (0), name);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.37f);
    EXPECT_FALSE (p->loadPresetFile (temp.file ("valid.hlprs", presetDocument ("Valid", {})), 128));
}

TEST_F (PresetManagerFiles, SavedPresetsHoldTheStoredValuesNotTheLiveOnes)
{
    const float stored = p->getPresetValue (0, depth1);
    p->setParameter (depth1, 0.5555f);
    const auto file = temp.file ("saved.hlprs");

    ASSERT_TRUE (p->savePresetFile (file, 0));
    EXPECT_FALSE (p->savePresetFile (temp.file ("none.hlprs"), 128));

    const auto text = file.loadFileAsString();
    EXPECT_TRUE (text.startsWith ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    EXPECT_TRUE (text.contains ("application=\"Halvenek\""));

    ASSERT_TRUE (p->loadPresetFile (file, 30));
    EXPECT_EQ (p->getPresetName (30), p->getPresetName (0));
    EXPECT_FLOAT_EQ (p->getPresetValue (30, depth1), stored);
}

TEST_F (PresetManagerFiles, ABankWrittenByThePluginReadsBackTheSame)
{
    p->renamePreset (3, "Renamed & <escaped>");
    p->getPresetBank().insertGroup (1);
    p->getPresetBank().setGroupName (1, "Empty one");
    p->getPresetBank().getPreset (100)->setValue (fx, 0.987654f);
    const auto file = temp.file ("bank.hlprsb");

    ASSERT_TRUE (p->saveBankFile (file));
    EXPECT_EQ (p->getRecentDirectory(), temp.folder.getFullPathName());

    const auto q = makeProcessor ([] (PresetTestProcessor& r) { r.setDefaultPresetsMode (BasePluginOldStyle::DefaultPresetsMode::clear); });
    ASSERT_TRUE (q->loadBankFile (file));

    const auto& a = p->getPresetBank();
    const auto& b = q->getPresetBank();
    ASSERT_EQ (b.getGroupCount(), a.getGroupCount());

    for (int g = 0; g < a.getGroupCount(); ++g)
    {
        EXPECT_EQ (b.getGroupName (g), a.getGroupName (g));
        EXPECT_EQ (b.getGroupSize (g), a.getGroupSize (g));
    }

    for (int slot = 0; slot < PresetBank::numSlots; ++slot)
    {
        EXPECT_EQ (q->getPresetName (slot), p->getPresetName (slot));

        for (int i = 0; i < PresetTestProcessor::numParameters; ++i)
            EXPECT_NEAR (q->getPresetValue (slot, i), p->getPresetValue (slot, i), 0.5e-6) << slot << "/" << i;
    }

    expectParametersMatchSlot (*q, 0);
}

TEST_F (PresetManagerFiles, UnreadableBankFilesChangeOnlyTheRecentFolder)
{
    const auto sub = temp.folder.getChildFile ("sub");
    sub.createDirectory();
    p->setParameter (depth1, 0.37f);
    const auto name = p->getPresetName (0);

    EXPECT_FALSE (p->loadBankFile (sub.getChildFile ("broken.hlprsb")));
    EXPECT_EQ (p->getRecentDirectory(), sub.getFullPathName());
    EXPECT_FALSE (p->loadBankFile (temp.file ("broken.hlprsb", "<PresetBank><PresetGroup>")));
    EXPECT_EQ (p->getRecentDirectory(), temp.folder.getFullPathName());

    EXPECT_EQ (p->getPresetName (0), name);
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 7);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.37f);

    // A document that parses but is no bank leaves the unsaved edit too.
    EXPECT_FALSE (p->loadBankFile (temp.file ("preset.hlprsb", presetDocument ("x", {}))));
    EXPECT_EQ (p->getPresetName (0), name);
    EXPECT_FLOAT_EQ (p->parameterValue (depth1), 0.37f);
}

TEST_F (PresetManagerFiles, RecentFolderMustExist)
{
    p->setRecentDirectory (temp.folder.getFullPathName());
    p->setRecentDirectory (temp.folder.getChildFile ("gone").getFullPathName());
    p->setRecentDirectory (temp.file ("plain.txt", "x").getFullPathName());
    p->setRecentDirectory ("relative/folder");
    p->setRecentDirectory ({});

    EXPECT_EQ (p->getRecentDirectory(), temp.folder.getFullPathName());
}

TEST_F (PresetManagerFiles, ExtensionsComeFromTheProductPrefix)
{
    EXPECT_EQ (p->getPresetFileExtension(), ".hlprs");
    EXPECT_EQ (p->getBankFileExtension(), ".hlprsb");
    EXPECT_EQ (p->getPresetFilePatterns(), "*.hlprs");
    EXPECT_EQ (p->getBankFilePatterns(), "*.hlprsb");

    p->furtherPresetExtensions = { ".fxp", ".xprs" };
    p->furtherBankExtensions = { ".fxb" };
    EXPECT_EQ (p->getPresetFilePatterns(), "*.hlprs; *.fxp; *.xprs");
    EXPECT_EQ (p->getBankFilePatterns(), "*.hlprsb; *.fxb");
}

//==============================================================================
TEST (PresetManagerState, PresetsStateRoundTripsBankAndCurrentNumber)
{
    const auto p = makeProcessor();
    p->renamePreset (12, "Twelve");
    p->selectPreset (12, true);
    const auto state = XmlReading::parse (XmlReading::toDocumentText (*p->createPresetsState()));
    ASSERT_NE (state, nullptr);
    EXPECT_EQ (state->getTagName(), "PresetsState");
    EXPECT_EQ (state->getStringAttribute ("currentPreset"), "12");
    EXPECT_EQ (state->getNumChildElements(), 1);

    const auto q = makeProcessor ([] (PresetTestProcessor& r) { r.setDefaultPresetsMode (BasePluginOldStyle::DefaultPresetsMode::clear); });
    const float live = q->parameterValue (depth1);
    q->loadPresetsState (*state);

    EXPECT_EQ (q->getCurrentPresetNumber(), 12);
    EXPECT_EQ (q->currentPresetNameParameter(), "Twelve");
    EXPECT_EQ (q->getPresetBank().getGroupCount(), 7);
    EXPECT_FLOAT_EQ (q->parameterValue (depth1), live);
}

TEST (PresetManagerState, CurrentNumbersOutsideTheSlotsAreIgnored)
{
    const auto p = makeProcessor();
    p->selectPreset (3, true);

    p->loadPresetsState (*XmlReading::parse ("<presetsstate currentPreset=\"200\"/>"));
    EXPECT_EQ (p->getCurrentPresetNumber(), 3);
    p->loadPresetsState (*XmlReading::parse ("<PresetsState currentPreset=\"-4\"/>"));
    EXPECT_EQ (p->getCurrentPresetNumber(), 3);
    p->loadPresetsState (*XmlReading::parse ("<PresetState currentPreset=\"5\"/>"));
    EXPECT_EQ (p->getCurrentPresetNumber(), 3);

    p->loadPresetsState (*XmlReading::parse ("<PresetsState currentPreset=\"many\"/>"));
    EXPECT_EQ (p->getCurrentPresetNumber(), 0);
    p->selectPreset (3, true);
    p->loadPresetsState (*XmlReading::parse ("<PresetsState/>"));
    EXPECT_EQ (p->getCurrentPresetNumber(), 0);
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 7);
}

//==============================================================================
TEST (PresetManagerMoves, TheCurrentPresetStaysCurrentWithoutNotification)
{
    const auto p = makeProcessor();
    p->selectPreset (3, true);
    const auto name = p->getPresetName (3);
    CountingParameterListener listener;
    p->getParameterManager().getParameter (ParameterManager::currentPresetNumberIndex)->addListener (&listener);

    p->movePreset (3, 10, 0, 0);

    EXPECT_EQ (p->getCurrentPresetNumber(), 10);
    EXPECT_EQ (p->currentPresetNumberParameter(), 10);
    EXPECT_EQ (p->getPresetName (10), name);
    EXPECT_EQ (listener.changes, 0);

    juce::SparseSet<int> positions;
    positions.addRange ({ 10, 11 });
    p->movePresetRanges (1, 0, positions);
    EXPECT_EQ (p->getPresetName (p->getCurrentPresetNumber()), name);
    EXPECT_EQ (p->getPresetBank().findGroupOfPreset (p->getCurrentPresetNumber()), 1);

    p->moveGroup (1, 6);
    EXPECT_EQ (p->getPresetName (p->getCurrentPresetNumber()), name);
    EXPECT_EQ (p->getPresetBank().findGroupOfPreset (p->getCurrentPresetNumber()), 6);
    EXPECT_EQ (listener.changes, 0);

    p->getParameterManager().getParameter (ParameterManager::currentPresetNumberIndex)->removeListener (&listener);
}

TEST (PresetManagerMoves, ProgramChangesDuringReorderingKeepEveryRecord)
{
    const auto p = makeProcessor();
    p->setStoringMode (BasePluginOldStyle::StoringMode::automatic);
    std::atomic<bool> done { false };

    std::thread audio ([&]
    {
        for (int i = 0; ! done.load(); ++i)
        {
            p->handleProgramChange (i % 128);
            p->setParameter (fx, (float) (i % 100) / 100.0f);
        }
    });

    for (int i = 0; i < 2000; ++i)
    {
        p->movePreset (i % 80, (i * 7) % 80, 0, 0);
        p->moveGroup (i % 3, (i + 1) % 3);
        p->renamePreset (i % 128, "name " + juce::String (i));
    }

    done = true;
    audio.join();

    std::set<const Preset*> records;

    for (int slot = 0; slot < PresetBank::numSlots; ++slot)
        records.insert (p->getPresetBank().getPreset (slot));

    EXPECT_EQ (records.size(), (size_t) PresetBank::numSlots);
    EXPECT_EQ (p->getPresetBank().getGroupCount(), 7);
}
