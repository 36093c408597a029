#include "../editor/EditorTestSupport.h"
#include "../presets/PresetTestProcessor.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "FakeFileChooser.h"
#include "framework/windows/OldStylePresetBrowserWindow.h"

#include <atomic>
#include <thread>

using namespace EditorTesting;

namespace
{
    using Browser = OldStylePresetsBrowser;
    using M = ColumnBrowser::ListColumn;
    constexpr int depth1 = 3;

    juce::DragAndDropTarget::SourceDetails dragFrom (M& source, juce::Point<int> position)
    {
        return { juce::var (M::dragDescription), &source.getList(), position };
    }

    juce::Point<int> inRow (int row, int y)     { return { 30, 4 + row * M::List::rowHeight + y }; }

    void dropOn (M& target, M& source, juce::Point<int> position)
    {
        target.itemDragMove (dragFrom (source, position));
        target.itemDropped (dragFrom (source, position));
    }
}

class PresetBrowserTest : public ::testing::Test
{
protected:
    PresetBrowserTest()
    {
        processor->initialise();
        window.setLookAndFeel (&lookAndFeel);
        window.setVisible (true);
        showCurrentPreset();
    }

    ~PresetBrowserTest() override
    {
        window.setLookAndFeel (nullptr);
        folder.deleteRecursively();
    }

    void showCurrentPreset()
    {
        processor->getParameterManager().getParameter (ParameterManager::currentPresetNumberIndex)->notifyListeners();
        pumpMessages();
    }

    Browser& browser()                    { return window.getBrowser(); }
    Browser::GroupListColumn& groups()    { return *browser().getGroupColumn(); }
    Browser::PresetListColumn& presets()  { return *browser().getPresetColumn(); }
    PresetBank& bank()                    { return processor->getPresetBank(); }

    juce::StringArray groupNames()
    {
        juce::StringArray names;
        for (int g = 0; g < bank().getGroupCount(); ++g)
            names.add (bank().getGroupName (g));
        return names;
    }

    juce::StringArray presetNames (int group)
    {
        juce::StringArray names;
        for (int k = 0; k < bank().getGroupSize (group); ++k)
            names.add (bank().getPresetNameInGroup (group, k));
        return names;
    }

    /** A preset column outside the browser's row, to drag from. */
    std::unique_ptr<Browser::PresetListColumn> sourceColumn (int group, std::initializer_list<int> rows)
    {
        auto column = std::make_unique<Browser::PresetListColumn> (browser(), group);
        column->refresh();

        for (int row : rows)
            column->getList().selectRow (row, true, false);

        return column;
    }

    std::unique_ptr<PresetTestProcessor> processor = std::make_unique<PresetTestProcessor>();
    DefaultLookAndFeel lookAndFeel;
    OldStylePresetBrowserWindow window { *processor };
    const juce::File folder = juce::File::createTempFile ("halvenek-browser");
};

TEST_F (PresetBrowserTest, ShowsTheCurrentPresetAndSelectsPresetsWithoutReapplyingTheCurrentOne)
{
    ASSERT_EQ (browser().getNumColumns(), 2);
    EXPECT_EQ (groups().getList().getNumRows(), bank().getGroupCount());
    EXPECT_EQ (presets().getGroup(), 0);
    EXPECT_TRUE (presets().getList().isRowSelected (0));
    EXPECT_TRUE (groups().getList().isRowSelected (0));

    presets().selectRow (2, true);
    EXPECT_EQ (processor->getCurrentPresetNumber(), 2);
    pumpMessages();

    // An unsaved edit survives choosing the current preset again.
    processor->setParameter (depth1, 0.321f);
    presets().getList().deselectAllRows();
    presets().selectRow (2, true);
    EXPECT_FLOAT_EQ (processor->parameterValue (depth1), 0.321f);

    // A program change shows with the group it belongs to.
    processor->handleProgramChange (70);
    pumpMessages();
    const int group = bank().findGroupOfPreset (70);
    EXPECT_EQ (presets().getGroup(), group);
    EXPECT_TRUE (presets().getList().isRowSelected (70 - bank().getGroupStart (group)));
    EXPECT_EQ (browser().getSelectedGroup(), group);

    // A rename through the name parameter shows in the list.
    processor->getParameterManager().getParameter (ParameterManager::currentPresetNameIndex)->setText ("Renamed", true);
    pumpMessages();
    EXPECT_EQ (presets().getItemText (70 - bank().getGroupStart (group)), "Renamed");
    auto* item = presets().getList().getItemComponent (70 - bank().getGroupStart (group));
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (item->getLabel().getText(), "Renamed");
}

TEST_F (PresetBrowserTest, ShowingProgramChangesNeverChoosesAPresetItself)
{
    // A host's program changes come on its own thread while the browser still shows the
    // ones before; a preset chosen on the message thread would be the browser undoing them.
    struct ChoiceWatcher : Parameter::Listener
    {
        void parameterChanged (Parameter&) override
        {
            if (juce::MessageManager::existsAndIsCurrentThread())
                ++choicesOnMessageThread;
        }

        std::atomic<int> choicesOnMessageThread { 0 };
    } watcher;

    auto* number = processor->getParameterManager().getParameter (ParameterManager::currentPresetNumberIndex);
    number->addListener (&watcher);
    std::atomic<bool> done { false };

    std::thread host ([&]
    {
        for (int i = 0, slot = 0; i < 5000; ++i, slot = (slot + 37) % BasePluginOldStyle::numPresets)   // across the groups
            processor->handleProgramChange (slot);

        done = true;
    });

    while (! done)
        browser().showCurrentPreset();

    host.join();
    number->removeListener (&watcher);
    EXPECT_EQ (watcher.choicesOnMessageThread, 0);

    processor->handleProgramChange (90);
    pumpMessages();
    EXPECT_EQ (processor->getCurrentPresetNumber(), 90);
    EXPECT_TRUE (presets().getList().isRowSelected (90 - bank().getGroupStart (bank().findGroupOfPreset (90))));
}

TEST_F (PresetBrowserTest, ABankLoadedWithTheSameCurrentNumberShowsAtOnce)
{
    folder.createDirectory();
    processor->getPresetBank().setGroupName (0, "Other First Group");
    const auto file = folder.getChildFile ("other.hlprsb");
    ASSERT_TRUE (processor->saveBankFile (file));
    processor->getPresetBank().setGroupName (0, "Before");
    browser().refreshAll();

    ASSERT_TRUE (processor->loadBankFile (file));
    pumpMessages();
    auto* item = groups().getList().getItemComponent (0);
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (item->getLabel().getText(), "Other First Group");
}

TEST_F (PresetBrowserTest, ThreePresetsDroppedOnAGroupOrAColumnMoveIntoIt)
{
    const auto first3 = juce::StringArray (presetNames (0).begin(), 3);
    const int size0 = bank().getGroupSize (0), size2 = bank().getGroupSize (2);

    auto source = sourceColumn (0, { 0, 1, 2 });
    dropOn (groups(), *source, inRow (2, 10));

    EXPECT_EQ (bank().getGroupSize (0), size0 - 3);
    EXPECT_EQ (bank().getGroupSize (2), size2 + 3);
    const auto names2 = presetNames (2);
    EXPECT_EQ (juce::StringArray (names2.begin() + size2, 3), first3);

    // Onto a preset column's background: into the group that column shows.
    const int size3 = bank().getGroupSize (3);
    window.setSize (639, 4 * (size3 + 2) * M::List::rowHeight);
    groups().selectRow (3, true);
    ASSERT_EQ (presets().getGroup(), 3);
    auto again = sourceColumn (2, { size2, size2 + 1, size2 + 2 });
    dropOn (presets(), *again, inRow (size3, 10));
    EXPECT_EQ (bank().getGroupSize (3), size3 + 3);
    EXPECT_EQ (juce::StringArray (presetNames (3).begin() + size3, 3), first3);
}

TEST_F (PresetBrowserTest, TwoSelectedPresetsCannotBeInsertedBetweenRows)
{
    auto two = sourceColumn (0, { 1, 2 });
    EXPECT_EQ (presets().findDropTarget (*two, inRow (4, 2)).first, M::dropOnBackgroundMode);
    EXPECT_EQ (presets().findDropTarget (*two, inRow (4, 18)).first, M::dropOnBackgroundMode);

    auto one = sourceColumn (0, { 1 });
    EXPECT_EQ (presets().findDropTarget (*one, inRow (4, 2)), std::make_pair (M::insertBeforeMode, 4));
    EXPECT_EQ (presets().findDropTarget (*one, inRow (4, 18)), std::make_pair (M::insertAfterMode, 4));

    // Groups take presets onto their rows only, and groups only between rows.
    EXPECT_EQ (groups().findDropTarget (*one, inRow (1, 2)).first, M::dropOnItemMode);
    EXPECT_EQ (groups().findDropTarget (groups(), inRow (1, 3)).first, M::insertBeforeMode);
    EXPECT_EQ (groups().findDropTarget (groups(), inRow (1, 14)).first, M::insertAfterMode);
}

TEST_F (PresetBrowserTest, GroupsReorderWhereTheyAreDropped)
{
    const auto original = groupNames();
    groups().selectRow (1, true);
    dropOn (groups(), groups(), inRow (4, 3));                      // before row 4: s < r, to 3
    EXPECT_EQ (groupNames(), juce::StringArray (original[0], original[2], original[3], original[1], original[4], original[5], original[6]));
    EXPECT_EQ (browser().getSelectedGroup(), 3);

    dropOn (groups(), groups(), inRow (0, 16));                     // after row 0: r < s, to 1
    EXPECT_EQ (groupNames(), original);
    EXPECT_EQ (browser().getSelectedGroup(), 1);

    dropOn (groups(), groups(), inRow (5, 16));                     // after row 5: to 5
    EXPECT_EQ (groupNames()[5], original[1]);
    EXPECT_EQ (bank().getGroupStart (6), 80);                       // "Not used" keeps its slots

    // Several selected groups do not move.
    const auto before = groupNames();
    groups().getList().selectRangeOfRows (0, 2);
    dropOn (groups(), groups(), inRow (4, 3));
    EXPECT_EQ (groupNames(), before);
}

TEST_F (PresetBrowserTest, PresetsReorderWithinAndAcrossGroups)
{
    const auto names0 = presetNames (0);
    const auto names1 = presetNames (1);

    auto source = sourceColumn (0, { 1 });
    dropOn (presets(), *source, inRow (4, 18));                     // after row 4, same group
    EXPECT_EQ (presetNames (0)[4], names0[1]);
    EXPECT_EQ (presetNames (0)[1], names0[2]);
    EXPECT_TRUE (presets().getList().isRowSelected (4));

    source = sourceColumn (0, { 4 });
    dropOn (presets(), *source, inRow (1, 2));                      // before row 1: back again
    EXPECT_EQ (presetNames (0), names0);
    EXPECT_TRUE (presets().getList().isRowSelected (1));

    source = sourceColumn (0, { 5 });
    dropOn (presets(), *source, inRow (2, 2));                      // before row 2
    EXPECT_EQ (presetNames (0)[2], names0[5]);
    EXPECT_EQ (presetNames (0)[3], names0[2]);

    // Into group 1, before its row 2.
    groups().selectRow (1, true);
    source = sourceColumn (0, { 0 });
    const auto movedName = presetNames (0)[0];
    dropOn (presets(), *source, inRow (2, 2));
    EXPECT_EQ (presetNames (1)[2], movedName);
    EXPECT_EQ (presetNames (1)[3], names1[2]);
    EXPECT_EQ (presetNames (1).size(), names1.size() + 1);
    EXPECT_TRUE (presets().getList().isRowSelected (2));

    // And after row 0 of group 1: lands on row 1.
    source = sourceColumn (0, { 0 });
    const auto secondName = presetNames (0)[0];
    dropOn (presets(), *source, inRow (0, 18));
    EXPECT_EQ (presetNames (1)[1], secondName);
    EXPECT_TRUE (presets().getList().isRowSelected (1));
}

TEST_F (PresetBrowserTest, GroupButtonsFollowTheSelection)
{
    auto& add = window.getButton (OldStylePresetBrowserWindow::addGroup);
    auto& remove = window.getButton (OldStylePresetBrowserWindow::removeGroup);
    EXPECT_TRUE (add.isEnabled());
    EXPECT_FALSE (remove.isEnabled());           // group 0 holds presets

    click (add);
    EXPECT_EQ (bank().getGroupName (0), "New Group");
    groups().selectRow (0, true);
    EXPECT_TRUE (remove.isEnabled());
    auto* item = groups().getList().getItemComponent (0);
    ASSERT_NE (item, nullptr);
    EXPECT_FALSE (item->hasChildren());           // plain text, no arrow

    groups().getList().selectRangeOfRows (0, 1);
    EXPECT_FALSE (add.isEnabled());
    EXPECT_FALSE (remove.isEnabled());

    groups().selectRow (0, true);
    const int count = bank().getGroupCount();
    click (remove);
    EXPECT_EQ (bank().getGroupCount(), count - 1);
    EXPECT_NE (bank().getGroupName (0), "New Group");
}

TEST_F (PresetBrowserTest, HoldingDownStepsAtOnceThenRepeatsAndStopsAtTheLastPreset)
{
    juce::Component& down = window.getButton (OldStylePresetBrowserWindow::down);
    auto& repeater = window.getRepeater (true);
    processor->changeToPreset (120);

    down.mouseDown (mouseEvent (down, { 5.0f, 5.0f }));
    EXPECT_EQ (processor->getCurrentPresetNumber(), 121);
    EXPECT_EQ (repeater.getDelayToNextRepeat(), 1000);

    repeater.repeat();
    EXPECT_EQ (processor->getCurrentPresetNumber(), 122);
    EXPECT_EQ (repeater.getDelayToNextRepeat(), 100);

    for (int i = 0; i < 10; ++i)
        repeater.repeat();

    EXPECT_EQ (processor->getCurrentPresetNumber(), 127);

    down.mouseUp (mouseEvent (down, { 5.0f, 5.0f }, {}));
    EXPECT_EQ (repeater.getDelayToNextRepeat(), 0);
    repeater.repeat();
    EXPECT_EQ (processor->getCurrentPresetNumber(), 127);
}

TEST_F (PresetBrowserTest, SavedPresetsGetTheirExtensionOnce)
{
    FakeFileChooser chooser;
    folder.createDirectory();
    processor->setRecentDirectory (folder.getFullPathName());

    chooser.willChoose (folder.getChildFile ("lead"));
    click (window.getButton (OldStylePresetBrowserWindow::savePreset));
    pumpMessages();
    ASSERT_EQ (chooser.requests.size(), 1u);
    EXPECT_EQ (chooser.requests[0].title, "Save current settings as preset");
    EXPECT_TRUE (chooser.requests[0].saving);
    EXPECT_EQ (chooser.requests[0].initialLocation, folder);
    EXPECT_TRUE (folder.getChildFile ("lead.hlprs").existsAsFile());

    chooser.willChoose (folder.getChildFile ("pad.hlprs"));
    click (window.getButton (OldStylePresetBrowserWindow::savePreset));
    pumpMessages();
    chooser.willChoose (folder.getChildFile ("all"));
    click (window.getButton (OldStylePresetBrowserWindow::saveBank));
    pumpMessages();

    // Nothing but the chosen files is left behind.
    juce::StringArray names;
    for (auto& f : folder.findChildFiles (juce::File::findFilesAndDirectories, false))
        names.add (f.getFileName());
    names.sort (false);
    EXPECT_EQ (names, juce::StringArray ({ "all.hlprsb", "lead.hlprs", "pad.hlprs" }));
}

TEST_F (PresetBrowserTest, LoadedFilesThatAreNotOursChangeNothing)
{
    FakeFileChooser chooser;
    folder.createDirectory();
    processor->setParameter (depth1, 0.42f);
    const auto name = processor->getPresetName (0);

    for (const auto& text : { juce::String ("<?xml version=\"1.0\"?><Preset application=\"Other\" name=\"X\"/>"),
                              juce::String ("not xml at all"),
                              juce::String ("<?xml version=\"1.0\"?><PresetBank application=\"Halvenek\">") })
    {
        const auto file = folder.getChildFile ("file.hlprs");
        file.replaceWithText (text);
        chooser.willChoose (file);
        click (window.getButton (OldStylePresetBrowserWindow::loadPreset));
        pumpMessages();
        click (window.getButton (OldStylePresetBrowserWindow::loadBank));
        pumpMessages();
        EXPECT_FLOAT_EQ (processor->parameterValue (depth1), 0.42f);
        EXPECT_EQ (processor->getPresetName (0), name);
    }

    // A cancelled chooser does nothing; a real preset lands in the current slot.
    chooser.willCancel();
    click (window.getButton (OldStylePresetBrowserWindow::loadPreset));
    pumpMessages();
    EXPECT_FLOAT_EQ (processor->parameterValue (depth1), 0.42f);

    const auto good = folder.getChildFile ("good.hlprs");
    chooser.willChoose (good);
    processor->renamePreset (5, "Good One");
    ASSERT_TRUE (processor->savePresetFile (good, 5));
    click (window.getButton (OldStylePresetBrowserWindow::loadPreset));
    pumpMessages();
    EXPECT_EQ (processor->getPresetName (0), "Good One");
    EXPECT_EQ (chooser.requests.back().title, "Load single preset");
    EXPECT_EQ (processor->getRecentDirectory(), folder.getFullPathName());
}
