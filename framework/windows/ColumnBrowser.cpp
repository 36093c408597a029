#include "ColumnBrowser.h"

namespace
{
    const juce::Colour dropIndicatorColour = juce::Colour (0xffff0000).withAlpha (0.75f);
    const juce::Colour arrowOutlineColour { 0xff646464 };
    constexpr float panelCornerRadius = 6.0f;
    constexpr float rowCornerRadius = 4.0f;
    constexpr int listInset = 4;
    constexpr int iconSpace = 19;
    constexpr int arrowSpace = 13;
    constexpr int scrollBarAllowance = 3;
}

//==============================================================================
void ColumnBrowser::ViewportComponent::resized()
{
    for (auto* column : getChildren())
        column->setSize (column->getWidth(), getHeight());
}

ColumnBrowser::ColumnBrowser()
{
    setScrollBarsShown (false, true);
    setViewedComponent (&content, false);
}

ColumnBrowser::~ColumnBrowser()
{
    columns.clear();
    parkedColumn.reset();
}

void ColumnBrowser::addColumn (std::unique_ptr<Column> column)
{
    if (column == nullptr)
        return;

    int removedWidth = -1;

    while (! columns.isEmpty() && ! column->acceptsParent (*columns.getLast()))
    {
        removedWidth = columns.getLast()->getWidth();
        removeLastColumn();
    }

    const int position = columns.size();
    auto* child = column.get();
    child->setSize (child->getDefaultWidth(), content.getHeight());
    content.addAndMakeVisible (child);
    columns.add (column.release());

    for (;;)
    {
        const int index = columns.indexOf (child);

        if (index > 0 && child->isChildOf (*columns[index - 1]))
            break;

        auto parent = child->createParentColumn();

        if (parent == nullptr)
            break;

        child = parent.get();
        child->setSize (child->getDefaultWidth(), content.getHeight());
        content.addAndMakeVisible (child);
        columns.insert (index, parent.release());
    }

    if (removedWidth >= 0)
        columns[position]->setSize (juce::jmax (minimumColumnWidth, removedWidth), content.getHeight());

    linkColumns();
    layoutColumns();
    refreshColumns();
}

void ColumnBrowser::removeLastColumn()
{
    std::unique_ptr<Column> removed (columns.removeAndReturn (columns.size() - 1));
    content.removeChildComponent (removed.get());

    // The drag that started there still needs its source until it ends.
    if (removed.get() == dragSourceColumn.getComponent())
        parkedColumn = std::move (removed);
}

void ColumnBrowser::refreshAll()
{
    if (columns.isEmpty())
        addColumn (createRootColumn());
    else
        refreshColumns();
}

void ColumnBrowser::refreshColumns()
{
    // Refreshing may change a selection and with it the columns: hold each one weakly.
    juce::Array<juce::Component::SafePointer<Column>> toRefresh;

    for (auto* each : columns)
        toRefresh.add (each);

    for (auto& each : toRefresh)
        if (auto* listColumn = dynamic_cast<ListColumn*> (each.getComponent()))
            listColumn->refresh();

    columnsChanged();
}

void ColumnBrowser::linkColumns()
{
    for (int i = 0; i < columns.size(); ++i)
        columns[i]->setNeighbours (columns[i - 1], columns[i + 1], i == columns.size() - 1);
}

void ColumnBrowser::layoutColumns()
{
    int totalWidth = 0;

    for (auto* column : columns)
        totalWidth += column->getWidth();

    // The height left above the horizontal scroll bar is known once the content's width is.
    content.setSize (totalWidth, getHeight());
    const int height = getHorizontalScrollBar().isVisible() ? getMaximumVisibleHeight() - 4 : getHeight();
    content.setSize (totalWidth, height);

    int x = 0;

    for (auto* column : columns)
    {
        column->setBounds (x, 0, column->getWidth(), height);
        x += column->getWidth();
    }

    repaint();
}

void ColumnBrowser::resized()
{
    juce::Viewport::resized();
    layoutColumns();
}

void ColumnBrowser::visibleAreaChanged (const juce::Rectangle<int>&)
{
    repaint();
}

void ColumnBrowser::paint (juce::Graphics& g)
{
    g.fillAll (findColour (backgroundColourId));

    const auto contentArea = getLocalArea (&content, content.getLocalBounds());
    const auto rest = juce::Rectangle<int> (contentArea.getRight(), 0, getWidth() - contentArea.getRight(), content.getHeight());

    if (! rest.isEmpty())
        paintPanel (g, *this, rest.toFloat());
}

void ColumnBrowser::paintPanel (juce::Graphics& g, const juce::Component& colourSource, juce::Rectangle<float> area)
{
    g.setColour (colourSource.findColour (columnFillColourId));
    g.fillRoundedRectangle (area, panelCornerRadius);
    g.setColour (colourSource.findColour (columnOutlineColourId));
    g.drawRoundedRectangle (area.reduced (0.5f), panelCornerRadius, 1.0f);
}

void ColumnBrowser::dragOperationStarted (const juce::DragAndDropTarget::SourceDetails& details)
{
    if (auto* list = dynamic_cast<ListColumn::List*> (details.sourceComponent.get()))
        dragSourceColumn = &list->getColumn();
}

void ColumnBrowser::dragOperationEnded (const juce::DragAndDropTarget::SourceDetails&)
{
    dragSourceColumn = nullptr;
}

//==============================================================================
void ColumnBrowser::Column::setNeighbours (Column* newPrevious, Column* newNext, bool isLast)
{
    if (previous == newPrevious && next == newNext && last == isLast)
        return;

    previous = newPrevious;
    next = newNext;
    last = isLast;
    resized();
    repaint();
}

void ColumnBrowser::Column::paint (juce::Graphics& g)
{
    const bool grip = hasResizeGrip();
    ColumnBrowser::paintPanel (g, *this, getLocalBounds().withTrimmedRight (grip ? gripWidth : 0).toFloat());

    if (! grip)
        return;

    const float top = (float) (getHeight() - 13) / 2.0f;
    g.setColour (findColour (columnOutlineColourId).contrasting (0.5f));

    for (int x : { getWidth() - 6, getWidth() - 4, getWidth() - 2 })
        g.drawVerticalLine (x, top, top + 13.0f);
}

void ColumnBrowser::Column::mouseDown (const juce::MouseEvent& e)
{
    resizing = hasResizeGrip() && e.x >= getWidth() - gripWidth;
    widthAtDragStart = getWidth();
}

void ColumnBrowser::Column::mouseDrag (const juce::MouseEvent& e)
{
    if (! resizing)
        return;

    setSize (juce::jmax (minimumColumnWidth, widthAtDragStart + e.getDistanceFromDragStartX()), getHeight());
    browser.layoutColumns();
}

void ColumnBrowser::Column::mouseUp (const juce::MouseEvent&)
{
    resizing = false;
}

//==============================================================================
ColumnBrowser::ListColumn::ListColumn (ColumnBrowser& owner)
    : Column (owner),
      list (std::make_unique<List> (*this))
{
    addAndMakeVisible (*list);
}

ColumnBrowser::ListColumn::~ListColumn()
{
    list->setModel (nullptr);
}

juce::Image ColumnBrowser::ListColumn::getItemIcon (int, bool)
{
    static const juce::Image none;
    return none;
}

void ColumnBrowser::ListColumn::refresh()
{
    const juce::ScopedValueSetter<bool> quiet (list->refreshing, true);
    list->updateContent();
    list->repaint();
}

void ColumnBrowser::ListColumn::selectRow (int row, bool scrollIntoView)
{
    list->selectRow (row, true, true);

    if (scrollIntoView)
        list->scrollToEnsureRowIsOnscreen (row);
}

void ColumnBrowser::ListColumn::showRow (int row)
{
    const juce::ScopedValueSetter<bool> quiet (list->showing, true);
    selectRow (row, true);
}

juce::SparseSet<int> ColumnBrowser::ListColumn::getSelectedRows() const
{
    return list->getSelectedRows();
}

void ColumnBrowser::ListColumn::resized()
{
    const int right = hasResizeGrip() ? gripWidth : 0;
    list->setBounds (getLocalBounds().reduced (listInset).withTrimmedRight (right));
}

void ColumnBrowser::ListColumn::paint (juce::Graphics& g)
{
    Column::paint (g);
}

void ColumnBrowser::ListColumn::paintOverChildren (juce::Graphics& g)
{
    if (dropMode != dropOnBackgroundMode)
        return;

    g.setColour (juce::Colour (0xffff0000));
    g.drawRoundedRectangle (getLocalBounds().toFloat().reduced (0.5f), rowCornerRadius, 1.0f);
}

//==============================================================================
ColumnBrowser::ListColumn* ColumnBrowser::ListColumn::findSourceColumn (const SourceDetails& details) const
{
    if (details.description.toString() != dragDescription)
        return nullptr;

    auto* sourceList = dynamic_cast<List*> (details.sourceComponent.get());

    if (sourceList == nullptr || &sourceList->getColumn().getBrowser() != &getBrowser())
        return nullptr;

    return &sourceList->getColumn();
}

bool ColumnBrowser::ListColumn::isInterestedInDragSource (const SourceDetails& details)
{
    return findSourceColumn (details) != nullptr;
}

void ColumnBrowser::ListColumn::itemDragEnter (const SourceDetails& details)
{
    trackDrag (details);
}

void ColumnBrowser::ListColumn::itemDragMove (const SourceDetails& details)
{
    trackDrag (details);
}

void ColumnBrowser::ListColumn::trackDrag (const SourceDetails& details)
{
    auto* source = findSourceColumn (details);

    if (source == nullptr)
        return;

    dragSource = source;
    lastDragPosition = details.localPosition;

    if (! list->getLocalBounds().contains (list->getLocalPoint (this, lastDragPosition)))
        return;

    const auto [mode, row] = findDropTarget (*source, lastDragPosition);
    setDropTarget (mode, row);

    if (! isTimerRunning())
        startTimer (autoScrollIntervalMs);
}

std::pair<ColumnBrowser::ListColumn::DropMode, int>
ColumnBrowser::ListColumn::findDropTarget (ListColumn& source, juce::Point<int> positionInColumn)
{
    const auto position = list->getLocalPoint (this, positionInColumn);
    const int row = list->getRowContainingPosition (position.x, position.y);

    if (row < 0)
        return { canDropOnBackground (source) ? dropOnBackgroundMode : noDrop, -1 };

    const int h = List::rowHeight;
    const int y = position.y - list->getRowPosition (row, true).getY();

    if (canDropOnItem (source, row))
    {
        if (y < insertZoneHeight && canInsertBefore (source, row))
            return { insertBeforeMode, row };

        if (y < h - insertZoneHeight || ! canInsertAfter (source, row))
            return { dropOnItemMode, row };

        return { insertAfterMode, row };
    }

    if (y < h / 2 && canInsertBefore (source, row))
        return { insertBeforeMode, row };

    if (canInsertAfter (source, row))
        return { insertAfterMode, row };

    if (canDropOnBackground (source))
        return { dropOnBackgroundMode, -1 };

    return { noDrop, -1 };
}

void ColumnBrowser::ListColumn::setDropTarget (DropMode mode, int row)
{
    if (mode == dropMode && row == dropRow)
        return;

    dropMode = mode;
    dropRow = row;

    // Hovering over an item opens it, so that a drag can go on into its children.
    if (mode == dropOnItemMode)
        selectRow (row, true);

    repaint();
    list->repaint();
}

void ColumnBrowser::ListColumn::timerCallback()
{
    if (dragSource == nullptr || dropMode == noDrop)
    {
        stopTimer();
        return;
    }

    auto& viewport = *list->getViewport();
    const auto position = viewport.getLocalPoint (this, lastDragPosition);

    if (viewport.autoScroll (position.x, position.y, List::rowHeight / 2, List::rowHeight))
    {
        const auto [mode, row] = findDropTarget (*dragSource, lastDragPosition);
        setDropTarget (mode, row);
    }
}

void ColumnBrowser::ListColumn::itemDragExit (const SourceDetails&)
{
    stopTimer();
    dragSource = nullptr;
    setDropTarget (noDrop, -1);
}

void ColumnBrowser::ListColumn::itemDropped (const SourceDetails& details)
{
    stopTimer();
    dragSource = nullptr;
    const auto mode = dropMode;
    const auto row = dropRow;
    setDropTarget (noDrop, -1);

    auto* source = findSourceColumn (details);

    if (source == nullptr)
        return;

    auto& owner = getBrowser();

    switch (mode)
    {
        case dropOnBackgroundMode:  dropOnBackground (*source); break;
        case dropOnItemMode:        dropOnItem (*source, row); break;
        case insertBeforeMode:      insertBefore (*source, row); break;
        case insertAfterMode:       insertAfter (*source, row); break;
        case noDrop:                break;
    }

    owner.refreshAll();
}

//==============================================================================
ColumnBrowser::ListColumn::List::List (ListColumn& owner)
    : juce::ListBox ({}, nullptr),
      column (owner)
{
    setRowHeight (rowHeight);
    setMultipleSelectionEnabled (true);
    setModel (this);
}

int ColumnBrowser::ListColumn::List::getNumRows()
{
    return column.getNumItems();
}

juce::Component* ColumnBrowser::ListColumn::List::refreshComponentForRow (int row, bool isRowSelected, juce::Component* existing)
{
    if (! juce::isPositiveAndBelow (row, getNumRows()))
    {
        delete existing;
        return nullptr;
    }

    auto* item = dynamic_cast<ItemComponent*> (existing);

    if (item == nullptr)
    {
        delete existing;
        item = new ItemComponent (column);
    }

    item->update (row, isRowSelected);
    return item;
}

void ColumnBrowser::ListColumn::List::selectedRowsChanged (int lastRow)
{
    const bool changed = lastRow != reportedRow;
    reportedRow = lastRow;

    // A refresh that trims the selection is no choice of the user's.
    if (refreshing || ! changed || ! juce::isPositiveAndBelow (lastRow, getNumRows()))
        return;

    column.getBrowser().addColumn (column.createChildColumn (lastRow));

    // Acting on a row shown for a choice made elsewhere could undo a newer choice: the
    // preset browser shows a host's program change while the host may already make the next.
    if (! showing)
        column.itemSelected (lastRow);
}

void ColumnBrowser::ListColumn::List::listBoxItemDoubleClicked (int row, const juce::MouseEvent&)
{
    if (getNumSelectedRows() != 1 || ! isRowSelected (row) || ! column.canRenameItem (row))
        return;

    if (auto* item = getItemComponent (row))
        item->startRenaming();
}

void ColumnBrowser::ListColumn::List::backgroundClicked (const juce::MouseEvent&)
{
    column.getBrowser().addColumn (column.createBackgroundColumn());
    column.backgroundClicked();
    column.refresh();
}

juce::var ColumnBrowser::ListColumn::List::getDragSourceDescription (const juce::SparseSet<int>& rows)
{
    return column.canDragItems (rows) ? juce::var (dragDescription) : juce::var();
}

void ColumnBrowser::ListColumn::List::lookAndFeelChanged()
{
    juce::ListBox::lookAndFeelChanged();
    setColour (juce::ListBox::backgroundColourId, findColour (columnFillColourId));
}

ColumnBrowser::ListColumn::ItemComponent* ColumnBrowser::ListColumn::List::getItemComponent (int row) const
{
    return dynamic_cast<ItemComponent*> (getComponentForRowNumber (row));
}

//==============================================================================
ColumnBrowser::ListColumn::ItemComponent::ItemComponent (ListColumn& owner)
    : column (owner)
{
    setInterceptsMouseClicks (false, false);
    label.addModalListener (this);
    addAndMakeVisible (label);
}

void ColumnBrowser::ListColumn::ItemComponent::update (int newRow, bool isRowSelected)
{
    row = newRow;
    selected = isRowSelected;
    withChildren = column.hasChildren (row);
    normalIcon = column.getItemIcon (row, false);
    selectedIcon = column.getItemIcon (row, true);

    label.setFont (juce::Font ("Tahoma", fontHeight, withChildren ? juce::Font::bold : juce::Font::plain));
    label.setColour (juce::Label::textColourId, selected ? juce::Colours::white : juce::Colours::black);
    label.setText (column.getItemText (row));
    resized();
    repaint();
}

bool ColumnBrowser::ListColumn::ItemComponent::isScrollBarShown() const
{
    return column.getList().getVerticalScrollBar().isVisible();
}

void ColumnBrowser::ListColumn::ItemComponent::resized()
{
    label.setBounds (getLocalBounds().reduced (0, 1)
                                     .withTrimmedLeft (iconSpace)
                                     .withTrimmedRight ((withChildren ? arrowSpace : 0) + (isScrollBarShown() ? scrollBarAllowance : 0)));
}

void ColumnBrowser::ListColumn::ItemComponent::paint (juce::Graphics& g)
{
    const float w = (float) (getWidth() - (isScrollBarShown() ? scrollBarAllowance : 0));
    const float h = (float) getHeight();

    if (selected)
    {
        g.setColour (findColour (selectedRowColourId));
        g.fillRoundedRectangle (0.0f, 1.0f, w, h - 2.0f, rowCornerRadius);
    }

    if (withChildren)
    {
        juce::Path arrow;
        const float left = w - 12.0f, middle = h / 2.0f;
        arrow.addTriangle (left, middle - 3.0f, left, middle + 3.0f, left + 7.0f, middle);
        g.setColour (juce::Colours::white);
        g.fillPath (arrow);
        g.setColour (arrowOutlineColour);
        g.strokePath (arrow, juce::PathStrokeType (1.0f));
    }

    const int dropRow = column.getDropRow();
    g.setColour (dropIndicatorColour);

    switch (column.getDropMode())
    {
        case dropOnItemMode:
            if (dropRow == row)
                g.drawRoundedRectangle (1.0f, 1.0f, w - 2.0f, h - 3.0f, rowCornerRadius, 2.0f);
            break;

        case insertBeforeMode:
            if (dropRow == row)          g.fillRect (0.0f, 0.0f, w, 2.0f);
            else if (dropRow == row + 1) g.fillRect (0.0f, h - 2.0f, w, 2.0f);
            break;

        case insertAfterMode:
            if (dropRow == row)          g.fillRect (0.0f, h - 2.0f, w, 2.0f);
            else if (dropRow == row - 1) g.fillRect (0.0f, 0.0f, w, 2.0f);
            break;

        case noDrop:
        case dropOnBackgroundMode:
            break;
    }

    g.drawImageAt (selected ? selectedIcon : normalIcon, 1, 1);
}

void ColumnBrowser::ListColumn::ItemComponent::modalTextCommitted (ModalTextEditor& editor)
{
    column.itemNameChanged (row, editor.getText());
}
