#include "OldStylePresetsBrowser.h"

#include "BrowserPictures.h"
#include "OldStylePresetBrowserWindow.h"
#include "../plugin/BasePluginOldStyle.h"

OldStylePresetsBrowser::OldStylePresetsBrowser (OldStylePresetBrowserWindow* owner, BasePluginOldStyle& presetManager)
    : window (owner),
      processor (presetManager)
{
}

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::createRootColumn()
{
    return std::make_unique<GroupListColumn> (*this);
}

void OldStylePresetsBrowser::columnsChanged()
{
    if (window != nullptr)
        window->updateButtonStates();
}

OldStylePresetsBrowser::GroupListColumn* OldStylePresetsBrowser::getGroupColumn() const
{
    return dynamic_cast<GroupListColumn*> (getColumn (0));
}

OldStylePresetsBrowser::PresetListColumn* OldStylePresetsBrowser::getPresetColumn() const
{
    return dynamic_cast<PresetListColumn*> (getColumn (1));
}

int OldStylePresetsBrowser::getSelectedGroup() const
{
    auto* groups = getGroupColumn();

    if (groups == nullptr || groups->getList().getNumSelectedRows() != 1)
        return -1;

    return groups->getList().getSelectedRow();
}

void OldStylePresetsBrowser::highlightCurrentPreset()
{
    const int current = processor.getCurrentPresetNumber();
    const auto& bank = processor.getPresetBank();
    const int group = bank.findGroupOfPreset (current);
    auto* presets = getPresetColumn();

    if (presets == nullptr || presets->getGroup() != group || bank.getGroupStart (group) < 0)
        return;

    presets->showRow (current - bank.getGroupStart (group));
}

void OldStylePresetsBrowser::showCurrentPreset()
{
    const int current = processor.getCurrentPresetNumber();
    const auto& bank = processor.getPresetBank();
    const int group = bank.findGroupOfPreset (current);

    if (getGroupColumn() == nullptr)
        addColumn (createRootColumn());

    if (group < 0)
        return;

    // Selecting the group opens its presets unless it was selected already.
    getGroupColumn()->showRow (group);

    if (getPresetColumn() == nullptr || getPresetColumn()->getGroup() != group)
        addColumn (std::make_unique<PresetListColumn> (*this, group));

    const int row = current - bank.getGroupStart (group);
    auto* presets = getPresetColumn();

    if (presets != nullptr && ! presets->getList().isRowSelected (row))
        presets->showRow (row);
}

//==============================================================================
OldStylePresetsBrowser::CommonColumn::CommonColumn (OldStylePresetsBrowser& owner, juce::Image normal, juce::Image selected)
    : ListColumn (owner),
      presetsBrowser (owner),
      processor (owner.getProcessor()),
      normalIcon (std::move (normal)),
      selectedIcon (std::move (selected))
{
}

juce::Image OldStylePresetsBrowser::CommonColumn::getItemIcon (int, bool selected)
{
    return selected ? selectedIcon : normalIcon;
}

//==============================================================================
OldStylePresetsBrowser::GroupListColumn::GroupListColumn (OldStylePresetsBrowser& owner)
    : CommonColumn (owner, BrowserPictures::getGroupIcon (false), BrowserPictures::getGroupIcon (true))
{
    setName ("GroupListColumn");
}

int OldStylePresetsBrowser::GroupListColumn::getNumItems()
{
    return processor.getPresetBank().getGroupCount();
}

juce::String OldStylePresetsBrowser::GroupListColumn::getItemText (int row)
{
    return processor.getPresetBank().getGroupName (row);
}

bool OldStylePresetsBrowser::GroupListColumn::hasChildren (int row)
{
    return processor.getPresetBank().getGroupSize (row) > 0;
}

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::GroupListColumn::createChildColumn (int row)
{
    return std::make_unique<PresetListColumn> (presetsBrowser, row);
}

void OldStylePresetsBrowser::GroupListColumn::itemSelected (int)
{
    presetsBrowser.highlightCurrentPreset();
}

void OldStylePresetsBrowser::GroupListColumn::itemNameChanged (int row, const juce::String& newText)
{
    processor.getPresetBank().setGroupName (row, newText);
}

bool OldStylePresetsBrowser::GroupListColumn::canDropOnItem (ListColumn& source, int)
{
    return dynamic_cast<PresetListColumn*> (&source) != nullptr;
}

bool OldStylePresetsBrowser::GroupListColumn::canInsertBefore (ListColumn& source, int)
{
    return dynamic_cast<GroupListColumn*> (&source) != nullptr;
}

bool OldStylePresetsBrowser::GroupListColumn::canInsertAfter (ListColumn& source, int row)
{
    return canInsertBefore (source, row);
}

void OldStylePresetsBrowser::GroupListColumn::dropOnItem (ListColumn& source, int row)
{
    auto* presets = dynamic_cast<PresetListColumn*> (&source);

    if (presets == nullptr)
        return;

    processor.movePresetRanges (row, presets->getGroup(), presets->getSelectedRows());
    refresh();
    presetsBrowser.highlightCurrentPreset();
}

void OldStylePresetsBrowser::GroupListColumn::insertBefore (ListColumn& source, int row)
{
    moveSelectedGroup (source, row, false);
}

void OldStylePresetsBrowser::GroupListColumn::insertAfter (ListColumn& source, int row)
{
    moveSelectedGroup (source, row, true);
}

void OldStylePresetsBrowser::GroupListColumn::moveSelectedGroup (ListColumn& source, int row, bool after)
{
    if (&source != this || getList().getNumSelectedRows() != 1)
        return;

    const int selected = getList().getSelectedRow();
    const int position = after ? (row < selected ? row + 1 : row)
                               : (selected < row ? row - 1 : row);

    processor.moveGroup (selected, position);
    selectRow (position, true);
}

//==============================================================================
OldStylePresetsBrowser::PresetListColumn::PresetListColumn (OldStylePresetsBrowser& owner, int shownGroup)
    : CommonColumn (owner, BrowserPictures::getPresetIcon (false), BrowserPictures::getPresetIcon (true)),
      group (shownGroup)
{
    setName ("PresetListColumn");
}

bool OldStylePresetsBrowser::PresetListColumn::isChildOf (Column& column)
{
    auto* groups = dynamic_cast<GroupListColumn*> (&column);
    return groups != nullptr && &groups->getBrowser() == &getBrowser();
}

std::unique_ptr<ColumnBrowser::Column> OldStylePresetsBrowser::PresetListColumn::createParentColumn()
{
    return std::make_unique<GroupListColumn> (presetsBrowser);
}

int OldStylePresetsBrowser::PresetListColumn::getNumItems()
{
    return processor.getPresetBank().getGroupSize (group);
}

int OldStylePresetsBrowser::PresetListColumn::getSlot (int row) const
{
    return processor.getPresetBank().getPresetInGroup (group, row);
}

juce::String OldStylePresetsBrowser::PresetListColumn::getItemText (int row)
{
    return processor.getPresetName (getSlot (row));
}

void OldStylePresetsBrowser::PresetListColumn::itemSelected (int row)
{
    const int slot = getSlot (row);

    // Choosing the current preset again keeps the sound as it is.
    if (slot != processor.getCurrentPresetNumber())
        processor.changeToPreset (slot);
}

void OldStylePresetsBrowser::PresetListColumn::itemNameChanged (int row, const juce::String& newText)
{
    const int start = processor.getPresetBank().getGroupStart (group);

    if (start >= 0)
        processor.renamePreset (start + row, newText);
}

bool OldStylePresetsBrowser::PresetListColumn::canDropOnBackground (ListColumn& source)
{
    return dynamic_cast<PresetListColumn*> (&source) != nullptr;
}

OldStylePresetsBrowser::PresetListColumn* OldStylePresetsBrowser::PresetListColumn::asSinglePresetSource (ListColumn& source)
{
    auto* presets = dynamic_cast<PresetListColumn*> (&source);
    return presets != nullptr && presets->getList().getNumSelectedRows() == 1 ? presets : nullptr;
}

bool OldStylePresetsBrowser::PresetListColumn::canInsertBefore (ListColumn& source, int)
{
    return asSinglePresetSource (source) != nullptr;
}

bool OldStylePresetsBrowser::PresetListColumn::canInsertAfter (ListColumn& source, int)
{
    return asSinglePresetSource (source) != nullptr;
}

void OldStylePresetsBrowser::PresetListColumn::dropOnBackground (ListColumn& source)
{
    auto* presets = dynamic_cast<PresetListColumn*> (&source);

    if (presets == nullptr)
        return;

    processor.movePresetRanges (group, presets->getGroup(), presets->getSelectedRows());
    refresh();
    presetsBrowser.highlightCurrentPreset();
}

void OldStylePresetsBrowser::PresetListColumn::insertBefore (ListColumn& source, int row)
{
    if (auto* presets = asSinglePresetSource (source))
        movePresetTo (*presets, row, false);
}

void OldStylePresetsBrowser::PresetListColumn::insertAfter (ListColumn& source, int row)
{
    if (auto* presets = asSinglePresetSource (source))
        movePresetTo (*presets, row, true);
}

void OldStylePresetsBrowser::PresetListColumn::movePresetTo (PresetListColumn& source, int row, bool after)
{
    const int sourceGroup = source.getGroup();
    const int moved = source.getSlot (source.getList().getSelectedRow());
    const int target = getSlot (row);

    if (moved < 0 || target < 0)
        return;

    const bool sameGroup = sourceGroup == group;
    int destination = 0, newRow = 0;

    if (after)
    {
        destination = target < moved ? target + 1 : target;
        newRow = (destination < moved || ! sameGroup) ? row + 1 : row;
    }
    else
    {
        destination = moved < target ? target - 1 : target;
        newRow = (moved < destination && sameGroup) ? row - 1 : row;
    }

    processor.movePreset (moved, destination, sourceGroup, group);
    refresh();
    selectRow (newRow, true);
}
