#pragma once

#include "ColumnBrowser.h"

class BasePluginOldStyle;
class OldStylePresetBrowserWindow;

/** The preset bank as two columns: the groups on the left, the presets of the selected
    group on the right. Selecting a preset makes it current; groups and presets are
    renamed in place; dragging reorders groups, reorders presets and moves presets
    between groups. Every change goes through the preset manager. */
class OldStylePresetsBrowser : public ColumnBrowser
{
public:
    class CommonColumn;
    class GroupListColumn;
    class PresetListColumn;

    /** The window (may be null) hears of every change of the columns. */
    OldStylePresetsBrowser (OldStylePresetBrowserWindow* window, BasePluginOldStyle& processor);

    std::unique_ptr<Column> createRootColumn() override;
    void columnsChanged() override;

    BasePluginOldStyle& getProcessor() const noexcept   { return processor; }

    GroupListColumn* getGroupColumn() const;
    PresetListColumn* getPresetColumn() const;

    /** The group selected alone in the group column, or -1. */
    int getSelectedGroup() const;

    /** Selects the current preset's row when the preset column shows its group. */
    void highlightCurrentPreset();

    /** Opens the current preset's group and selects the preset's row and the group. */
    void showCurrentPreset();

private:
    OldStylePresetBrowserWindow* const window;
    BasePluginOldStyle& processor;
};

//==============================================================================
/** A column of the preset browser, with the icons of its kind of item. */
class OldStylePresetsBrowser::CommonColumn : public ColumnBrowser::ListColumn
{
public:
    CommonColumn (OldStylePresetsBrowser& owner, juce::Image normalIcon, juce::Image selectedIcon);

    juce::Image getItemIcon (int row, bool selected) override;

protected:
    OldStylePresetsBrowser& presetsBrowser;
    BasePluginOldStyle& processor;

private:
    juce::Image normalIcon, selectedIcon;
};

//==============================================================================
/** One row per group; always the first column. */
class OldStylePresetsBrowser::GroupListColumn : public CommonColumn
{
public:
    explicit GroupListColumn (OldStylePresetsBrowser& owner);

    bool acceptsParent (Column&) override                   { return false; }
    bool isChildOf (Column&) override                       { return false; }
    bool isResizable() override                             { return false; }
    int getDefaultWidth() override                          { return 241; }

    int getNumItems() override;
    juce::String getItemText (int row) override;
    bool hasChildren (int row) override;
    std::unique_ptr<Column> createChildColumn (int row) override;
    void itemSelected (int row) override;
    void itemNameChanged (int row, const juce::String& newText) override;

    bool canDropOnBackground (ListColumn&) override         { return false; }
    bool canDropOnItem (ListColumn& source, int row) override;
    bool canInsertBefore (ListColumn& source, int row) override;
    bool canInsertAfter (ListColumn& source, int row) override;
    void dropOnItem (ListColumn& source, int row) override;
    void insertBefore (ListColumn& source, int row) override;
    void insertAfter (ListColumn& source, int row) override;

private:
    /** Moves the one selected group of this column to a new position. */
    void moveSelectedGroup (ListColumn& source, int row, bool after);
};

//==============================================================================
/** One row per preset of a group. */
class OldStylePresetsBrowser::PresetListColumn : public CommonColumn
{
public:
    PresetListColumn (OldStylePresetsBrowser& owner, int group);

    int getGroup() const noexcept                           { return group; }

    bool acceptsParent (Column& column) override            { return isChildOf (column); }
    bool isChildOf (Column&) override;
    std::unique_ptr<Column> createParentColumn() override;
    bool isResizable() override                             { return false; }
    int getDefaultWidth() override                          { return 350; }

    int getNumItems() override;
    juce::String getItemText (int row) override;
    void itemSelected (int row) override;
    void itemNameChanged (int row, const juce::String& newText) override;

    bool canDropOnBackground (ListColumn& source) override;
    bool canDropOnItem (ListColumn&, int) override          { return false; }
    bool canInsertBefore (ListColumn& source, int row) override;
    bool canInsertAfter (ListColumn& source, int row) override;
    void dropOnBackground (ListColumn& source) override;
    void insertBefore (ListColumn& source, int row) override;
    void insertAfter (ListColumn& source, int row) override;

    /** The slot a row shows, or -1. */
    int getSlot (int row) const;

private:
    /** The preset column a drag came from with exactly one selected row, or null. */
    static PresetListColumn* asSinglePresetSource (ListColumn& source);

    /** Moves the dragged preset next to a row and selects it in its new place. */
    void movePresetTo (PresetListColumn& source, int row, bool after);

    const int group;
};
