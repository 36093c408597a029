#include "PresetBank.h"

#include <algorithm>

namespace
{
    bool isBelow (int value, size_t limit) noexcept
    {
        return (size_t) (unsigned int) value < limit;
    }
}

PresetBank::PresetBank (int numValuesPerPreset)
{
    for (auto& slot : slots)
        slot = std::make_unique<Preset> (numValuesPerPreset);
}

//==============================================================================
Preset* PresetBank::getPreset (int slot) const
{
    if (! isBelow (slot, numSlots))
        return nullptr;

    const juce::SpinLock::ScopedLockType sl (slotLock);
    return slots[(size_t) slot].get();
}

int PresetBank::indexOf (const Preset* record) const
{
    if (record == nullptr)
        return -1;

    const juce::SpinLock::ScopedLockType sl (slotLock);

    for (size_t i = 0; i < slots.size(); ++i)
        if (slots[i].get() == record)
            return (int) i;

    return -1;
}

juce::String PresetBank::getPresetName (int slot) const
{
    const auto* preset = getPreset (slot);
    return preset != nullptr ? preset->getName() : juce::String();
}

void PresetBank::clear (const Preset& defaults)
{
    for (int n = 0; n < numSlots; ++n)
    {
        auto* preset = getPreset (n);
        preset->setName ("Preset " + juce::String (n));
        preset->copyValuesFrom (defaults);
    }

    setGroups ({ { notUsedGroupName, numSlots } });
}

//==============================================================================
int PresetBank::startOfGroupLocked (int group) const
{
    int start = 0;

    for (int g = 0; g < group; ++g)
        start += groups[(size_t) g].size;

    return start;
}

int PresetBank::getGroupCount() const
{
    const juce::ScopedLock sl (groupLock);
    return (int) groups.size();
}

juce::String PresetBank::getGroupName (int group) const
{
    const juce::ScopedLock sl (groupLock);
    return isBelow (group, groups.size()) ? groups[(size_t) group].name : juce::String();
}

void PresetBank::setGroupName (int group, const juce::String& newName)
{
    const juce::ScopedLock sl (groupLock);

    if (isBelow (group, groups.size()))
        groups[(size_t) group].name = newName;
}

int PresetBank::getGroupSize (int group) const
{
    const juce::ScopedLock sl (groupLock);
    return isBelow (group, groups.size()) ? groups[(size_t) group].size : 0;
}

int PresetBank::getGroupStart (int group) const
{
    const juce::ScopedLock sl (groupLock);
    return isBelow (group, groups.size()) ? startOfGroupLocked (group) : -1;
}

int PresetBank::getGroupEnd (int group) const
{
    const juce::ScopedLock sl (groupLock);

    if (! isBelow (group, groups.size()))
        return -1;

    return startOfGroupLocked (group) + groups[(size_t) group].size - 1;
}

int PresetBank::getPresetInGroup (int group, int position) const
{
    const juce::ScopedLock sl (groupLock);

    if (! isBelow (group, groups.size()) || ! isBelow (position, (size_t) juce::jmax (0, groups[(size_t) group].size)))
        return -1;

    const int slot = startOfGroupLocked (group) + position;
    return slot < numSlots ? slot : -1;
}

int PresetBank::findGroupOfPreset (int slot) const
{
    if (! isBelow (slot, numSlots))
        return -1;

    const juce::ScopedLock sl (groupLock);
    int end = 0;

    for (size_t g = 0; g < groups.size(); ++g)
    {
        end += groups[g].size;

        if (slot < end)
            return (int) g;
    }

    return -1;
}

juce::String PresetBank::getPresetNameInGroup (int group, int position) const
{
    long long slot;

    {
        const juce::ScopedLock sl (groupLock);

        if (! isBelow (group, groups.size()))
            return {};

        slot = (long long) startOfGroupLocked (group) + position;
    }

    return juce::isPositiveAndBelow (slot, (long long) numSlots) ? getPresetName ((int) slot) : juce::String();
}

void PresetBank::insertGroup (int group)
{
    const juce::ScopedLock sl (groupLock);

    if (isBelow (group, groups.size()))
        groups.insert (groups.begin() + group, PresetGroup { newGroupName, 0 });
}

bool PresetBank::removeGroup (int group)
{
    const juce::ScopedLock sl (groupLock);

    if (! isBelow (group, groups.size()) || groups[(size_t) group].size != 0)
        return false;

    groups.erase (groups.begin() + group);
    return true;
}

std::vector<PresetGroup> PresetBank::getGroups() const
{
    const juce::ScopedLock sl (groupLock);
    return groups;
}

void PresetBank::setGroups (std::vector<PresetGroup> newGroups)
{
    const juce::ScopedLock sl (groupLock);
    groups.swap (newGroups);
}

//==============================================================================
void PresetBank::moveRecord (int fromSlot, int toSlot)
{
    const juce::SpinLock::ScopedLockType sl (slotLock);
    const auto first = slots.begin();

    if (fromSlot < toSlot)
        std::rotate (first + fromSlot, first + fromSlot + 1, first + toSlot + 1);
    else if (toSlot < fromSlot)
        std::rotate (first + toSlot, first + fromSlot, first + fromSlot + 1);
}

void PresetBank::moveRecords (int firstSlot, int count, int destinationSlot)
{
    const juce::SpinLock::ScopedLockType sl (slotLock);
    const auto first = slots.begin();

    if (destinationSlot < firstSlot)
        std::rotate (first + destinationSlot, first + firstSlot, first + firstSlot + count);
    else if (firstSlot < destinationSlot)
        std::rotate (first + firstSlot, first + firstSlot + count, first + destinationSlot + count);
}

void PresetBank::movePreset (int fromSlot, int toSlot, int fromGroup, int toGroup)
{
    {
        const juce::ScopedLock sl (groupLock);

        if (! isBelow (fromGroup, groups.size()) || ! isBelow (toGroup, groups.size())
            || ! isBelow (fromSlot, numSlots) || ! isBelow (toSlot, numSlots) || fromSlot == toSlot)
            return;

        if (fromGroup != toGroup)
        {
            // A group cannot give away a slot it does not cover: its size would turn
            // negative and the groups would no longer describe the slots.
            if (groups[(size_t) fromGroup].size <= 0)
                return;

            --groups[(size_t) fromGroup].size;
            ++groups[(size_t) toGroup].size;
        }
    }

    moveRecord (fromSlot, toSlot);
}

void PresetBank::movePresetRanges (int toGroup, int fromGroup, const juce::SparseSet<int>& positions)
{
    int sourceStart, destinationEnd;

    {
        const juce::ScopedLock sl (groupLock);

        if (! isBelow (fromGroup, groups.size()) || ! isBelow (toGroup, groups.size())
            || fromGroup == toGroup || positions.isEmpty())
            return;

        const auto& source = groups[(size_t) fromGroup];
        const auto& destination = groups[(size_t) toGroup];
        const auto range = positions.getTotalRange();
        sourceStart = startOfGroupLocked (fromGroup);
        destinationEnd = startOfGroupLocked (toGroup) + destination.size;

        if (range.getStart() < 0 || range.getEnd() > source.size
            || sourceStart + source.size > numSlots || destinationEnd > numSlots)
            return;

        groups[(size_t) fromGroup].size -= positions.size();
        groups[(size_t) toGroup].size += positions.size();
    }

    // Moving forward from the later group, or backward from the earlier one, leaves the
    // source positions still to be moved where they were.
    if (fromGroup > toGroup)
    {
        for (int r = 0; r < positions.getNumRanges(); ++r)
        {
            const auto range = positions.getRange (r);

            for (int j = range.getStart(); j < range.getEnd(); ++j)
                moveRecord (sourceStart + j, destinationEnd++);
        }
    }
    else
    {
        for (int r = positions.getNumRanges(); --r >= 0;)
        {
            const auto range = positions.getRange (r);

            for (int j = range.getEnd(); --j >= range.getStart();)
                moveRecord (sourceStart + j, --destinationEnd);
        }
    }
}

void PresetBank::moveGroup (int group, int toPosition)
{
    int firstSlot, count, destinationSlot;

    {
        const juce::ScopedLock sl (groupLock);

        if (! isBelow (group, groups.size()) || ! isBelow (toPosition, groups.size()) || group == toPosition)
            return;

        firstSlot = startOfGroupLocked (group);
        count = groups[(size_t) group].size;
        const int targetStart = startOfGroupLocked (toPosition);
        const int targetSize = groups[(size_t) toPosition].size;
        destinationSlot = group < toPosition ? targetStart + targetSize - count : targetStart;

        if (firstSlot + count > numSlots || targetStart + targetSize > numSlots)
            return;

        const auto moved = groups[(size_t) group];
        groups.erase (groups.begin() + group);
        groups.insert (groups.begin() + toPosition, moved);
    }

    moveRecords (firstSlot, count, destinationSlot);
}
