#pragma once

#include "Preset.h"

#include <array>
#include <vector>

/** A named run of consecutive preset slots. */
struct PresetGroup
{
    juce::String name;
    int size = 0;
};

/** The 128 preset slots and the groups that divide them for browsing.

    Group g covers the slots from start(g), the sum of the sizes of the groups before it,
    to start(g) + size(g) - 1. The slot records are never destroyed while the bank lives;
    reordering only moves them between slots, so a record pointer stays valid across
    moves.

    The slot array is guarded by a spin lock held only for a single access (one pointer
    read, or one rearrangement of pointers), because the audio thread looks slots up;
    the group list, used on the message thread only, has a critical section. A move is
    therefore not atomic for a reader on another thread; it only sees slots in an
    intermediate order, never a destroyed record.

    Group numbers, slot numbers and positions are compared unsigned: negative numbers
    are out of range. Out-of-range arguments give the neutral answers documented below
    and make edits do nothing.
*/
class PresetBank
{
public:
    static constexpr int numSlots = 128;
    static constexpr const char* defaultBankName = "Preset Bank";
    static constexpr const char* notUsedGroupName = "Not used";
    static constexpr const char* newGroupName = "New Group";

    /** 128 records named "Preset" with all values 0, and no groups. */
    explicit PresetBank (int numValuesPerPreset);

    //==============================================================================
    /** The record in a slot, or null outside 0 to 127. */
    Preset* getPreset (int slot) const;

    /** The slot that holds a record, or -1. */
    int indexOf (const Preset* record) const;

    /** The slot's name; empty outside 0 to 127. */
    juce::String getPresetName (int slot) const;

    /** Names every slot "Preset n" (n from 0), gives it the default values and leaves one
        group "Not used" covering all slots. */
    void clear (const Preset& defaults);

    /** The bank name; used on the message thread only. */
    juce::String getName() const                      { return name; }
    void setName (const juce::String& newName)        { name = newName; }

    //==============================================================================
    int getGroupCount() const;

    /** Empty for a group out of range. */
    juce::String getGroupName (int group) const;
    void setGroupName (int group, const juce::String& newName);

    /** 0 for a group out of range. */
    int getGroupSize (int group) const;

    /** -1 for a group out of range. */
    int getGroupStart (int group) const;

    /** The group's last slot; -1 for a group out of range. */
    int getGroupEnd (int group) const;

    /** The slot at a position of a group, or -1 when the position is not inside the
        group or the slot would be beyond the last one. */
    int getPresetInGroup (int group, int position) const;

    /** The first group whose end lies beyond the slot, or -1. */
    int findGroupOfPreset (int slot) const;

    /** Empty when the group is out of range. */
    juce::String getPresetNameInGroup (int group, int position) const;

    /** Inserts "New Group" of size 0 before an existing group. */
    void insertGroup (int group);

    /** Removes a group of size 0; a group that still covers slots is kept, so that the
        groups always cover the same slots. True when it was removed. */
    bool removeGroup (int group);

    std::vector<PresetGroup> getGroups() const;
    void setGroups (std::vector<PresetGroup> newGroups);

    //==============================================================================
    // Reordering. None of these re-selects the current preset; the preset manager does.

    /** Moves the record at one slot to another; if the groups differ, the source group
        shrinks by one and the destination group grows by one. Nothing unless both groups
        exist, both slots are below 128, the slots differ and a shrinking group is not
        empty. */
    void movePreset (int fromSlot, int toSlot, int fromGroup, int toGroup);

    /** Moves the records at the given positions of one group (relative to its start)
        to the end of another, keeping their order. Nothing unless both groups exist and
        differ and the positions are non-empty and inside the source group. */
    void movePresetRanges (int toGroup, int fromGroup, const juce::SparseSet<int>& positions);

    /** Moves a group with its records to another position of the group list. Nothing
        unless both are existing group numbers and differ. */
    void moveGroup (int group, int toPosition);

private:
    /** start(g) of a valid group; the caller holds the group lock. */
    int startOfGroupLocked (int group) const;

    /** Moves the record at one slot to another, shifting those between. */
    void moveRecord (int fromSlot, int toSlot);

    /** Moves a run of records so that it starts at the given slot of the array that
        remains after taking the run out. */
    void moveRecords (int firstSlot, int count, int destinationSlot);

    std::array<std::unique_ptr<Preset>, numSlots> slots;
    mutable juce::SpinLock slotLock;

    std::vector<PresetGroup> groups;
    mutable juce::CriticalSection groupLock;

    juce::String name { defaultBankName };

    JUCE_DECLARE_NON_COPYABLE (PresetBank)
};
