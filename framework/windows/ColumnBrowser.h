#pragma once

#include "LabelWithModalTextEditor.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** A row of list columns in a horizontally scrolling view, in the manner of a file
    browser: selecting an item of one column opens that item's child column to its right.
    Items can be selected (several at a time), renamed in place, and dragged within and
    between columns.

    The browser knows nothing of what it shows: content, hierarchy, renaming and dropping
    are virtual operations of the columns, which a concrete browser overrides. Everything
    runs on the message thread. */
class ColumnBrowser : public juce::Viewport,
                      public juce::DragAndDropContainer
{
public:
    class Column;
    class ListColumn;

    enum ColourIds
    {
        backgroundColourId = 0x0F003100,
        columnFillColourId = 0x0F003101,
        columnOutlineColourId = 0x0F003102,
        selectedRowColourId = 0x0F003105
    };

    /** The viewed component: holds the columns side by side at its full height. */
    class ViewportComponent : public juce::Component
    {
    public:
        void resized() override;
    };

    ColumnBrowser();
    ~ColumnBrowser() override;

    /** The first column of the concrete browser. */
    virtual std::unique_ptr<Column> createRootColumn() = 0;

    /** Called after every change of the column set or of the columns' contents. */
    virtual void columnsChanged() = 0;

    /** Puts a column in: columns that do not accept it as their child go (their width is
        kept for its place), then the parents it asks for are completed to its left.
        Nothing for none. */
    void addColumn (std::unique_ptr<Column> column);

    /** Refreshes every column, then reports the change; an empty browser gets its root
        column first. */
    void refreshAll();

    int getNumColumns() const noexcept                  { return columns.size(); }
    Column* getColumn (int index) const noexcept        { return columns[index]; }
    ViewportComponent& getContent() noexcept            { return content; }

    /** Places the columns side by side at their widths and sizes the content around them. */
    void layoutColumns();

    void paint (juce::Graphics&) override;
    void resized() override;
    void visibleAreaChanged (const juce::Rectangle<int>&) override;
    void dragOperationStarted (const juce::DragAndDropTarget::SourceDetails&) override;
    void dragOperationEnded (const juce::DragAndDropTarget::SourceDetails&) override;

    /** Columns are never narrower than this after a resize or a width taken over. */
    static constexpr int minimumColumnWidth = 100;

    /** The rounded panel every column (and the space right of the last one) is drawn as. */
    static void paintPanel (juce::Graphics&, const juce::Component& colourSource, juce::Rectangle<float> area);

private:
    /** Deletes a column, or parks it when a running drag started from it. */
    void removeLastColumn();

    /** Refreshes every list column, then reports the change. */
    void refreshColumns();
    void linkColumns();

    ViewportComponent content;
    juce::OwnedArray<Column> columns;
    std::unique_ptr<Column> parkedColumn;
    juce::Component::SafePointer<Column> dragSourceColumn;

    JUCE_DECLARE_NON_COPYABLE (ColumnBrowser)
};

//==============================================================================
/** One column of a browser; the browser sets its neighbours after every change. */
class ColumnBrowser::Column : public juce::Component
{
public:
    explicit Column (ColumnBrowser& owner) : browser (owner) {}

    /** True when this column may stand directly right of the given one. */
    virtual bool acceptsParent (Column&) = 0;

    /** The same question, asked while the chain of parents is completed. */
    virtual bool isChildOf (Column&) = 0;

    /** A new column that belongs left of this one, or none. */
    virtual std::unique_ptr<Column> createParentColumn()   { return nullptr; }

    virtual bool isResizable()                              { return true; }
    virtual int getDefaultWidth()                           { return 200; }

    ColumnBrowser& getBrowser() const noexcept              { return browser; }
    Column* getPreviousColumn() const noexcept              { return previous; }
    Column* getNextColumn() const noexcept                  { return next; }
    bool isLastColumn() const noexcept                      { return last; }

    /** Resizable columns, and every column with a successor, carry a grip at their right. */
    bool hasResizeGrip()                                    { return isResizable() || next != nullptr; }

    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;

    static constexpr int gripWidth = 7;

private:
    friend class ColumnBrowser;
    void setNeighbours (Column* newPrevious, Column* newNext, bool isLast);

    ColumnBrowser& browser;
    Column* previous = nullptr;
    Column* next = nullptr;
    bool last = false;
    bool resizing = false;
    int widthAtDragStart = 0;
};

//==============================================================================
/** A column that shows a list of items and takes drops. The defaults show nothing and
    allow every drag and drop without doing anything. */
class ColumnBrowser::ListColumn : public ColumnBrowser::Column,
                                  public juce::DragAndDropTarget,
                                  private juce::Timer
{
public:
    class List;
    class ItemComponent;

    enum DropMode { noDrop = 0, dropOnBackgroundMode, dropOnItemMode, insertBeforeMode, insertAfterMode };

    explicit ListColumn (ColumnBrowser& owner);
    ~ListColumn() override;

    /** Updates the list's content and repaints it. */
    virtual void refresh();
    virtual int getNumItems()                                           { return 0; }
    virtual juce::String getItemText (int /*row*/)                      { return {}; }
    virtual juce::Image getItemIcon (int row, bool selected);
    virtual bool hasChildren (int /*row*/)                              { return false; }
    virtual bool canDragItems (const juce::SparseSet<int>& /*rows*/)    { return true; }
    virtual bool canRenameItem (int /*row*/)                            { return true; }
    virtual std::unique_ptr<Column> createChildColumn (int /*row*/)     { return nullptr; }
    virtual std::unique_ptr<Column> createBackgroundColumn()            { return nullptr; }
    virtual void itemSelected (int /*row*/)                             {}
    virtual void itemNameChanged (int /*row*/, const juce::String& /*newText*/) {}
    virtual void backgroundClicked()                                    {}
    virtual bool canDropOnBackground (ListColumn& /*source*/)           { return true; }
    virtual bool canDropOnItem (ListColumn& /*source*/, int /*row*/)    { return true; }
    virtual bool canInsertBefore (ListColumn& /*source*/, int /*row*/)  { return true; }
    virtual bool canInsertAfter (ListColumn& /*source*/, int /*row*/)   { return true; }
    virtual void dropOnBackground (ListColumn& /*source*/)              {}
    virtual void dropOnItem (ListColumn& /*source*/, int /*row*/)       {}
    virtual void insertBefore (ListColumn& /*source*/, int /*row*/)     {}
    virtual void insertAfter (ListColumn& /*source*/, int /*row*/)      {}

    /** Selects exactly this row (the column hears of it as of a click) and, when asked,
        scrolls it into view. */
    void selectRow (int row, bool scrollIntoView);

    /** Selects exactly this row to show what was chosen elsewhere and scrolls it into view:
        its children open as for a click, but the column is not told that it was chosen. */
    void showRow (int row);

    List& getList() noexcept                        { return *list; }
    juce::SparseSet<int> getSelectedRows() const;
    int getDropRow() const noexcept                 { return dropRow; }
    DropMode getDropMode() const noexcept           { return dropMode; }

    /** The column whose list a drag of this browser came from, or null. */
    ListColumn* findSourceColumn (const SourceDetails&) const;

    void paint (juce::Graphics&) override;
    void paintOverChildren (juce::Graphics&) override;
    void resized() override;

    bool isInterestedInDragSource (const SourceDetails&) override;
    void itemDragEnter (const SourceDetails&) override;
    void itemDragMove (const SourceDetails&) override;
    void itemDragExit (const SourceDetails&) override;
    void itemDropped (const SourceDetails&) override;

    /** Where a drag from the source column at a point of this column would drop. */
    std::pair<DropMode, int> findDropTarget (ListColumn& source, juce::Point<int> positionInColumn);

    static constexpr const char* dragDescription = "ListColumn";
    static constexpr int insertZoneHeight = 5;
    static constexpr int autoScrollIntervalMs = 25;

private:
    friend class List;

    void setDropTarget (DropMode, int row);
    void trackDrag (const SourceDetails&);
    void timerCallback() override;

    std::unique_ptr<List> list;
    int dropRow = -1;
    DropMode dropMode = noDrop;
    juce::Point<int> lastDragPosition;
    juce::Component::SafePointer<ListColumn> dragSource;
};

//==============================================================================
/** The list of a list column; its own model, asking the column for everything. */
class ColumnBrowser::ListColumn::List : public juce::ListBox,
                                        public juce::ListBoxModel
{
public:
    explicit List (ListColumn& owner);

    ListColumn& getColumn() const noexcept          { return column; }

    int getNumRows() override;
    void paintListBoxItem (int, juce::Graphics&, int, int, bool) override {}
    juce::Component* refreshComponentForRow (int row, bool isRowSelected, juce::Component* existing) override;
    void selectedRowsChanged (int lastRowSelected) override;
    void listBoxItemDoubleClicked (int row, const juce::MouseEvent&) override;
    void backgroundClicked (const juce::MouseEvent&) override;
    juce::var getDragSourceDescription (const juce::SparseSet<int>& rows) override;
    juce::String getTooltipForRow (int) override    { return {}; }

    void lookAndFeelChanged() override;

    /** The item component showing a row, or null when the row is not on screen. */
    ItemComponent* getItemComponent (int row) const;

    static constexpr int rowHeight = 20;

private:
    friend class ListColumn;

    ListColumn& column;
    bool refreshing = false, showing = false;
    int reportedRow = -1;
};

//==============================================================================
/** One visible row: icon, name (renamed in place) and the arrow of an item with
    children. Clicks pass through to the list row underneath. */
class ColumnBrowser::ListColumn::ItemComponent : public juce::Component,
                                                 public ModalTextEditor::ModalListener
{
public:
    explicit ItemComponent (ListColumn& owner);

    void update (int row, bool selected);

    int getRow() const noexcept                     { return row; }
    bool isSelected() const noexcept                { return selected; }
    bool hasChildren() const noexcept               { return withChildren; }
    LabelWithModalTextEditor& getLabel() noexcept   { return label; }

    /** Starts renaming the item in place. */
    void startRenaming()                            { label.showEditor(); }

    void paint (juce::Graphics&) override;
    void resized() override;
    void modalTextCommitted (ModalTextEditor&) override;

    static constexpr float fontHeight = 13.0f;

private:
    bool isScrollBarShown() const;

    ListColumn& column;
    LabelWithModalTextEditor label;
    int row = -1;
    bool selected = false, withChildren = false;
    juce::Image normalIcon, selectedIcon;
};
