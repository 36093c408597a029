#include "../editor/EditorTestSupport.h"
#include "../MessageLoop.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/midi/MidiControlComponentList.h"
#include "framework/windows/FileChooserSeam.h"

using ListComponent = MidiControlComponent::ListComponent;

namespace
{
    std::vector<ListComponent::Entry> makeEntries (int count)
    {
        std::vector<ListComponent::Entry> entries;

        for (int i = 0; i < count; ++i)
            entries.push_back ({ i, "P" + juce::String (i) });

        return entries;
    }

    // A table height that holds 10 rows: (238 - 13 - 19 - 6) / 20 = 10.
    constexpr int tenRowsHigh = 238;

    /** Answers every file request at once with a file chosen in advance. */
    struct AnsweringChooser : FileChooserSeam
    {
        AnsweringChooser()   { FileChooserSeam::set (this); }
        ~AnsweringChooser() override { FileChooserSeam::set (nullptr); }

        void chooseFile (const Request& request, Callback callback) override
        {
            requests.push_back (request);
            callback (answer);
        }

        juce::File answer;
        std::vector<Request> requests;
    };
}

TEST (MidiControlTable, FiftyEntriesInTenRowsMakeFiveGroupsAndAScrollBar)
{
    ListComponent table;
    table.setSize (600, tenRowsHigh);
    table.setEntries (makeEntries (50));

    EXPECT_EQ (table.getNumVisibleRows(), 10);
    EXPECT_EQ (table.getNumGroups(), 5);
    EXPECT_TRUE (table.getScrollBar().isVisible());
    EXPECT_EQ (table.getGroupWidth(), 598 / 3 + 1);
    EXPECT_EQ (table.getTableBounds().getHeight(), 19 + 200 + 2);
    EXPECT_EQ (table.getScrollOffset(), 0);

    table.selectEntry (45);
    const int groupWidth = table.getGroupWidth();
    EXPECT_EQ (table.getScrollOffset(), 5 * groupWidth - 3 * groupWidth);

    // Back to the first group: the view scrolls left to its start.
    table.selectEntry (3);
    EXPECT_EQ (table.getScrollOffset(), 0);
}

TEST (MidiControlTable, TwelveEntriesKeepThreeGroupsWithoutScrollBar)
{
    ListComponent table;
    table.setSize (600, tenRowsHigh);
    table.setEntries (makeEntries (12));

    EXPECT_EQ (table.getNumGroups(), 3);
    EXPECT_FALSE (table.getScrollBar().isVisible());

    // Entry 11 is the second row of the second group.
    const auto top = table.getTableBounds().getY();
    table.mouseDown (EditorTesting::mouseEvent (table, { (float) table.getGroupWidth() + 10.0f, (float) (top + 19 + 20 + 5) }));
    EXPECT_EQ (table.getSelectedIndex(), 11);
    ASSERT_NE (table.getSelectedEntry(), nullptr);
    EXPECT_EQ (table.getSelectedEntry()->controller, 11);

    // A press on an empty cell is kept as the selection but matches no entry; the header selects nothing.
    table.mouseDown (EditorTesting::mouseEvent (table, { (float) table.getGroupWidth() * 2 + 10.0f, (float) (top + 19 + 5) }));
    EXPECT_EQ (table.getSelectedIndex(), 20);
    EXPECT_EQ (table.getSelectedEntry(), nullptr);
    table.mouseDown (EditorTesting::mouseEvent (table, { 10.0f, (float) (top + 5) }));
    EXPECT_EQ (table.getSelectedIndex(), 20);
}

class MidiControlPageTest : public ::testing::Test
{
protected:
    MidiControlPageTest()
    {
        parameters.loadDefinitions ("parameters.xml");
        midiControl.setMapName ("Halvenek");
        host.setLookAndFeel (&lookAndFeel);
        host.setSize (633, 256);
        host.addAndMakeVisible (page);
        page.setBounds (host.getLocalBounds());
        page.onStatusMessage = [this] (const juce::String& message) { statusMessages.add (message); };
    }

    ~MidiControlPageTest() override
    {
        host.removeChildComponent (&page);
        host.setLookAndFeel (nullptr);
        folder.deleteRecursively();
    }

    void assign (int controller, const char* name)
    {
        midiControl.assign (controller, parameters.getParameterByName (name), true);
    }

    void settle()
    {
        MessageLoop::runFor (3 * AudioThreadSafeAsyncUpdater::collectionIntervalMilliseconds);
    }

    ParameterManager parameters;
    MidiControl midiControl { parameters };
    DefaultLookAndFeel lookAndFeel;
    juce::Component host;
    MidiControlComponent page { midiControl, "*.hlccmap", ".hlccmap" };
    juce::StringArray statusMessages;
    juce::File folder { juce::File::createTempFile ("midipage") };
};

TEST_F (MidiControlPageTest, TheTableAndButtonsFollowTheMap)
{
    EXPECT_FALSE (page.getClearButton().isEnabled());
    EXPECT_FALSE (page.getDeleteButton().isEnabled());
    EXPECT_EQ (page.getDeleteButton().getTooltip(), "Delete selected assignation");
    EXPECT_TRUE (page.getSaveButton().getNormalImage().isValid());

    assign (20, "FX");
    assign (7, "Output Volume");
    settle();

    auto& table = page.getList();
    ASSERT_EQ (table.getEntries().size(), 2u);
    EXPECT_EQ (table.getEntries()[0].controller, 7);
    EXPECT_EQ (table.getEntries()[1].parameterName, "FX");
    EXPECT_TRUE (page.getClearButton().isEnabled());

    table.selectEntry (1);
    EXPECT_TRUE (page.getDeleteButton().isEnabled());
    EditorTesting::click (page.getDeleteButton());
    settle();
    EXPECT_EQ (midiControl.getAssignedParameter (20), nullptr);
    EXPECT_EQ (table.getEntries().size(), 1u);
    EXPECT_FALSE (page.getDeleteButton().isEnabled());

    // The buttons stand right of the table, at its top.
    EXPECT_EQ (page.getDeleteButton().getParentComponent()->getX(), table.getRight() + 5);
}

TEST_F (MidiControlPageTest, NoToTheClearAllQuestionKeepsEveryAssignmentAndYesClears)
{
    assign (1, "FX");
    assign (2, "BBD");
    settle();

    EditorTesting::click (page.getClearButton());
    auto* alert = page.getConfirmation();
    ASSERT_NE (alert, nullptr);
    EXPECT_EQ (alert->getMessage(), "Do you really want to clear all assignations?");
    ASSERT_EQ (alert->getNumButtons(), 2);
    EditorTesting::click (*alert->getButton (1));
    settle();
    EXPECT_EQ (midiControl.getNumAssignments(), 2);

    EditorTesting::click (page.getClearButton());
    EditorTesting::click (*page.getConfirmation()->getButton (0));
    settle();
    EXPECT_EQ (midiControl.getNumAssignments(), 0);
    EXPECT_FALSE (page.getClearButton().isEnabled());
}

TEST_F (MidiControlPageTest, AMapSavedUnderAnotherExtensionGetsTheMapExtensionAndLoadsBack)
{
    folder.createDirectory();
    AnsweringChooser chooser;
    assign (9, "FX");
    settle();

    chooser.answer = folder.getChildFile ("x.txt");
    EditorTesting::click (page.getSaveButton());
    ASSERT_EQ (chooser.requests.size(), 1u);
    EXPECT_TRUE (chooser.requests[0].saving);
    EXPECT_EQ (chooser.requests[0].title, "Save Midi Control file as");
    EXPECT_EQ (chooser.requests[0].filePatterns, "*.hlccmap");
    EXPECT_FALSE (folder.getChildFile ("x.txt").exists());
    ASSERT_TRUE (folder.getChildFile ("x.hlccmap").existsAsFile());

    midiControl.clearAssignments();
    chooser.answer = folder.getChildFile ("x.hlccmap");
    EditorTesting::click (page.getLoadButton());
    EXPECT_EQ (chooser.requests[1].title, "Open Midi Control file");
    EXPECT_FALSE (chooser.requests[1].saving);
    EXPECT_EQ (midiControl.getAssignedParameter (9), parameters.getParameterByName ("FX"));

    // Cancelling changes nothing.
    chooser.answer = juce::File();
    EditorTesting::click (page.getLoadButton());
    EXPECT_EQ (midiControl.getNumAssignments(), 1);
    EXPECT_TRUE (statusMessages.isEmpty());
}

TEST_F (MidiControlPageTest, AMapThatCannotBeWrittenLeavesTheOldFileAndSaysSo)
{
    folder.createDirectory();
    const auto blocker = folder.getChildFile ("notAFolder");
    blocker.replaceWithText ("keep");
    AnsweringChooser chooser;
    chooser.answer = blocker.getChildFile ("map.hlccmap");

    EditorTesting::click (page.getSaveButton());
    EXPECT_EQ (blocker.loadFileAsString(), "keep");
    ASSERT_EQ (statusMessages.size(), 1);
    EXPECT_TRUE (statusMessages[0].contains ("map.hlccmap"));
}

TEST_F (MidiControlPageTest, InLearnModeAClickOnAnAssignedRowMakesItThePendingPair)
{
    assign (5, "BBD");
    assign (20, "FX");
    settle();

    EditorTesting::click (page.getLearnCheckBox().getBox());
    EXPECT_TRUE (midiControl.isLearning());

    auto& table = page.getList();
    const auto top = table.getTableBounds().getY();
    table.mouseDown (EditorTesting::mouseEvent (table, { 20.0f, (float) (top + 19 + 20 + 5) }));
    settle();

    EXPECT_EQ (midiControl.getPendingController(), 20);
    EXPECT_EQ (midiControl.getPendingParameter(), parameters.getParameterByName ("FX"));
    EXPECT_EQ (table.getSelectedIndex(), 1);
    EXPECT_EQ (midiControl.getAssignedParameter (20), parameters.getParameterByName ("FX"));

    // Switching learning off elsewhere unticks the box and clears the selection.
    midiControl.setLearnMode (false);
    EXPECT_FALSE (page.getLearnCheckBox().isChecked());
    EXPECT_EQ (table.getSelectedIndex(), -1);
}

TEST_F (MidiControlPageTest, TheDefaultMapChoiceGoesToTheMidiControl)
{
    auto& defaultMap = page.getDefaultMapControl();
    defaultMap.getPathComponent().setPath ("/maps/keys.hlccmap", true);
    EditorTesting::click (defaultMap.getCheckBox().getBox());

    EXPECT_TRUE (midiControl.getUseUserMap());
    EXPECT_EQ (midiControl.getUserMapFile(), juce::File ("/maps/keys.hlccmap"));

    EditorTesting::click (defaultMap.getCheckBox().getBox());
    EXPECT_FALSE (midiControl.getUseUserMap());
}
