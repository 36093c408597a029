#include "framework/presets/PresetBank.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
    constexpr int numValues = 23;

    /** A bank whose slot n is named "s<n>", divided into groups of the given sizes. */
    std::unique_ptr<PresetBank> makeBank (std::vector<int> sizes)
    {
        auto bank = std::make_unique<PresetBank> (numValues);

        for (int n = 0; n < PresetBank::numSlots; ++n)
            bank->getPreset (n)->setName ("s" + juce::String (n));

        std::vector<PresetGroup> groups;

        for (size_t g = 0; g < sizes.size(); ++g)
            groups.push_back ({ "g" + juce::String ((int) g), sizes[g] });

        bank->setGroups (groups);
        return bank;
    }

    juce::StringArray slotNames (const PresetBank& bank, int first, int count)
    {
        juce::StringArray names;

        for (int n = first; n < first + count; ++n)
            names.add (bank.getPresetName (n));

        return names;
    }

    juce::StringArray groupNames (const PresetBank& bank)
    {
        juce::StringArray names;

        for (int g = 0; g < bank.getGroupCount(); ++g)
            names.add (bank.getGroupName (g) + ":" + juce::String (bank.getGroupSize (g)));

        return names;
    }
}

TEST (Preset, ValuesOutsideTheRecordReadAsZeroAndAreNotWritten)
{
    Preset preset (3, "P");
    preset.setValue (3, 0.5f);
    preset.setValue (-1, 0.5f);
    preset.setValue (2, 0.75f);

    EXPECT_FLOAT_EQ (preset.getValue (2), 0.75f);
    EXPECT_FLOAT_EQ (preset.getValue (3), 0.0f);
    EXPECT_FLOAT_EQ (preset.getValue (-1), 0.0f);

    Preset longer (5);
    longer.setValue (4, 0.9f);
    longer.copyFrom (preset);
    EXPECT_EQ (longer.getName(), "P");
    EXPECT_FLOAT_EQ (longer.getValue (2), 0.75f);
    EXPECT_FLOAT_EQ (longer.getValue (4), 0.0f);
}

TEST (Preset, NamesExchangedWhileAnotherThreadReadsAreNeverTorn)
{
    Preset preset (1, "first name of some length");
    const juce::StringArray names { "first name of some length", "second", "a third, much longer name than the others" };
    std::atomic<bool> done { false };
    std::atomic<int> badReads { 0 };

    std::thread reader ([&]
    {
        while (! done.load())
            if (! names.contains (preset.getName()))
                ++badReads;
    });

    for (int i = 0; i < 200000; ++i)
        preset.setName (names[i % names.size()]);

    done = true;
    reader.join();
    EXPECT_EQ (badReads.load(), 0);
}

//==============================================================================
TEST (PresetBank, StartsWithPresetSlotsAndNoGroups)
{
    PresetBank bank (numValues);

    EXPECT_EQ (bank.getName(), "Preset Bank");
    EXPECT_EQ (bank.getGroupCount(), 0);
    EXPECT_EQ (bank.getPresetName (0), "Preset");
    EXPECT_EQ (bank.getPresetName (127), "Preset");
    EXPECT_FLOAT_EQ (bank.getPreset (64)->getValue (22), 0.0f);
    EXPECT_EQ (bank.getPreset (128), nullptr);
    EXPECT_EQ (bank.getPreset (-1), nullptr);
    EXPECT_EQ (bank.getPresetName (128), "");
    EXPECT_EQ (bank.findGroupOfPreset (0), -1);
}

TEST (PresetBank, ClearNumbersTheSlotsFromZeroUnderOneGroup)
{
    PresetBank bank (numValues);
    Preset defaults (numValues);
    defaults.setValue (22, 0.5f);
    bank.setGroups ({ { "x", 3 }, { "y", 125 } });

    bank.clear (defaults);

    EXPECT_EQ (bank.getPresetName (0), "Preset 0");
    EXPECT_EQ (bank.getPresetName (127), "Preset 127");
    EXPECT_FLOAT_EQ (bank.getPreset (127)->getValue (22), 0.5f);
    EXPECT_EQ (groupNames (bank), juce::StringArray ("Not used:128"));
}

TEST (PresetBank, GroupQueriesAnswerNeutrallyOutOfRange)
{
    const auto bank = makeBank ({ 27, 5, 13, 10, 11, 14, 48 });

    EXPECT_EQ (bank->getGroupCount(), 7);
    EXPECT_EQ (bank->getGroupStart (1), 27);
    EXPECT_EQ (bank->getGroupEnd (1), 31);
    EXPECT_EQ (bank->getGroupStart (6), 80);
    EXPECT_EQ (bank->findGroupOfPreset (79), 5);
    EXPECT_EQ (bank->findGroupOfPreset (80), 6);
    EXPECT_EQ (bank->getPresetInGroup (6, 47), 127);
    EXPECT_EQ (bank->getPresetInGroup (6, 48), -1);
    EXPECT_EQ (bank->getPresetInGroup (1, -1), -1);
    EXPECT_EQ (bank->getPresetNameInGroup (1, 2), "s29");

    for (int g : { 7, -1, 1000 })
    {
        EXPECT_EQ (bank->getGroupName (g), "");
        EXPECT_EQ (bank->getGroupSize (g), 0);
        EXPECT_EQ (bank->getGroupStart (g), -1);
        EXPECT_EQ (bank->getGroupEnd (g), -1);
        EXPECT_EQ (bank->getPresetInGroup (g, 0), -1);
        EXPECT_EQ (bank->getPresetNameInGroup (g, 0), "");
    }

    EXPECT_EQ (bank->findGroupOfPreset (128), -1);
    EXPECT_EQ (bank->findGroupOfPreset (-1), -1);
    EXPECT_EQ (bank->getPresetNameInGroup (6, 1000), "");
}

TEST (PresetBank, InsertedGroupsAreEmptyAndOnlyEmptyGroupsCanBeRemoved)
{
    const auto bank = makeBank ({ 100, 28 });

    bank->insertGroup (0);
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "New Group:0", "g0:100", "g1:28" }));
    EXPECT_EQ (bank->getPresetName (0), "s0");
    EXPECT_EQ (bank->findGroupOfPreset (0), 1);

    bank->insertGroup (3);  // cannot append after the last group
    bank->insertGroup (-1);
    EXPECT_EQ (bank->getGroupCount(), 3);

    EXPECT_FALSE (bank->removeGroup (1));
    EXPECT_FALSE (bank->removeGroup (3));
    EXPECT_TRUE (bank->removeGroup (0));
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:100", "g1:28" }));

    bank->setGroupName (1, "Renamed");
    bank->setGroupName (5, "Nowhere");
    EXPECT_EQ (bank->getGroupName (1), "Renamed");
}

//==============================================================================
TEST (PresetBank, MovePresetShiftsTheSlotsBetween)
{
    const auto bank = makeBank ({ 10, 118 });
    const auto* moved = bank->getPreset (3);

    bank->movePreset (3, 10, 0, 1);

    EXPECT_EQ (bank->indexOf (moved), 10);
    EXPECT_EQ (slotNames (*bank, 2, 10), juce::StringArray ({ "s2", "s4", "s5", "s6", "s7", "s8", "s9", "s10", "s3", "s11" }));
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:9", "g1:119" }));

    bank->movePreset (10, 0, 1, 0);
    EXPECT_EQ (bank->indexOf (moved), 0);
    EXPECT_EQ (slotNames (*bank, 0, 3), juce::StringArray ({ "s3", "s0", "s1" }));
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:10", "g1:118" }));
}

TEST (PresetBank, MovePresetRefusesBadArguments)
{
    const auto bank = makeBank ({ 0, 128 });

    bank->movePreset (5, 5, 1, 1);
    bank->movePreset (5, 128, 1, 1);
    bank->movePreset (-1, 3, 1, 1);
    bank->movePreset (5, 6, 1, 2);
    bank->movePreset (5, 6, -1, 1);
    bank->movePreset (5, 6, 0, 1);  // group 0 has no slot to give

    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:0", "g1:128" }));
    EXPECT_EQ (slotNames (*bank, 4, 3), juce::StringArray ({ "s4", "s5", "s6" }));
}

TEST (PresetBank, MovingRangesToAnEarlierGroupAppendsThemInOrder)
{
    const auto bank = makeBank ({ 3, 5, 120 });
    juce::SparseSet<int> positions;
    positions.addRange ({ 0, 1 });
    positions.addRange ({ 2, 3 });

    bank->movePresetRanges (0, 1, positions);

    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:5", "g1:3", "g2:120" }));
    EXPECT_EQ (slotNames (*bank, 0, 9), juce::StringArray ({ "s0", "s1", "s2", "s3", "s5", "s4", "s6", "s7", "s8" }));
}

TEST (PresetBank, MovingRangesToALaterGroupAppendsThemInOrder)
{
    const auto bank = makeBank ({ 6, 2, 3, 117 });
    juce::SparseSet<int> positions;
    positions.addRange ({ 1, 3 });
    positions.addRange ({ 4, 5 });

    bank->movePresetRanges (2, 0, positions);

    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:3", "g1:2", "g2:6", "g3:117" }));
    EXPECT_EQ (slotNames (*bank, 0, 12),
               juce::StringArray ({ "s0", "s3", "s5", "s6", "s7", "s8", "s9", "s10", "s1", "s2", "s4", "s11" }));
}

TEST (PresetBank, MovingRangesRefusesPositionsOutsideTheSourceGroup)
{
    const auto bank = makeBank ({ 3, 5, 120 });
    juce::SparseSet<int> tooFar, none;
    tooFar.addRange ({ 4, 6 });

    bank->movePresetRanges (0, 1, tooFar);
    bank->movePresetRanges (0, 1, none);
    bank->movePresetRanges (1, 1, tooFar);
    bank->movePresetRanges (3, 1, tooFar);

    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:3", "g1:5", "g2:120" }));
    EXPECT_EQ (slotNames (*bank, 0, 3), juce::StringArray ({ "s0", "s1", "s2" }));
}

TEST (PresetBank, MovingTheFirstGroupLastCarriesItsSlots)
{
    const auto bank = makeBank ({ 2, 3, 123 });

    bank->moveGroup (0, 2);

    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g1:3", "g2:123", "g0:2" }));
    EXPECT_EQ (slotNames (*bank, 0, 3), juce::StringArray ({ "s2", "s3", "s4" }));
    EXPECT_EQ (slotNames (*bank, 126, 2), juce::StringArray ({ "s0", "s1" }));
}

TEST (PresetBank, MovingAGroupForwardAndBackRestoresTheOrder)
{
    const auto bank = makeBank ({ 2, 3, 4, 119 });

    bank->moveGroup (2, 0);
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g2:4", "g0:2", "g1:3", "g3:119" }));
    EXPECT_EQ (slotNames (*bank, 0, 9), juce::StringArray ({ "s5", "s6", "s7", "s8", "s0", "s1", "s2", "s3", "s4" }));

    bank->moveGroup (0, 2);
    EXPECT_EQ (groupNames (*bank), juce::StringArray ({ "g0:2", "g1:3", "g2:4", "g3:119" }));
    EXPECT_EQ (slotNames (*bank, 0, 9), juce::StringArray ({ "s0", "s1", "s2", "s3", "s4", "s5", "s6", "s7", "s8" }));

    bank->moveGroup (1, 1);
    bank->moveGroup (1, 4);
    bank->moveGroup (-1, 0);
    EXPECT_EQ (slotNames (*bank, 0, 3), juce::StringArray ({ "s0", "s1", "s2" }));
}
