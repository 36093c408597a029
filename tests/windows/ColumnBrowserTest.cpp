#include "../editor/EditorTestSupport.h"

#include "framework/editor/DefaultLookAndFeel.h"
#include "framework/windows/ColumnBrowser.h"

using namespace EditorTesting;

namespace
{
    class TreeBrowser;

    /** Level n of a tree: ten items, the even ones with children one level down. */
    class Level : public ColumnBrowser::ListColumn
    {
    public:
        Level (TreeBrowser& browser, int depth);

        bool acceptsParent (Column& column) override  { return isChildOf (column); }
        bool isChildOf (Column& column) override
        {
            auto* other = dynamic_cast<Level*> (&column);
            return other != nullptr && other->depth == depth - 1;
        }

        std::unique_ptr<Column> createParentColumn() override;
        int getDefaultWidth() override                  { return 150 + 10 * depth; }
        int getNumItems() override                      { return 10; }
        juce::String getItemText (int row) override     { return "Item " + juce::String (depth) + "." + juce::String (row); }
        bool hasChildren (int row) override             { return row % 2 == 0 && depth < 2; }
        std::unique_ptr<Column> createChildColumn (int row) override;
        void itemSelected (int row) override;
        void itemNameChanged (int row, const juce::String& text) override;

        bool canDropOnItem (ListColumn&, int) override  { return itemDropsAllowed; }
        void dropOnItem (ListColumn&, int row) override { drops.push_back ({ dropOnItemMode, row }); }
        void insertBefore (ListColumn&, int row) override { drops.push_back ({ insertBeforeMode, row }); }
        void insertAfter (ListColumn&, int row) override  { drops.push_back ({ insertAfterMode, row }); }

        TreeBrowser& tree;
        const int depth;
        bool itemDropsAllowed = true;
        std::vector<std::pair<DropMode, int>> drops;
    };

    class TreeBrowser : public ColumnBrowser
    {
    public:
        TreeBrowser()
        {
            setLookAndFeel (&lookAndFeel);
            setSize (900, 256);
            refreshAll();
        }

        ~TreeBrowser() override { setLookAndFeel (nullptr); }

        std::unique_ptr<Column> createRootColumn() override { return std::make_unique<Level> (*this, 0); }
        void columnsChanged() override                      { ++changes; }

        Level& level (int index)                            { return *dynamic_cast<Level*> (getColumn (index)); }

        DefaultLookAndFeel lookAndFeel;
        int changes = 0;
        std::vector<juce::String> log;
    };

    Level::Level (TreeBrowser& browser, int d) : ListColumn (browser), tree (browser), depth (d) {}

    std::unique_ptr<ColumnBrowser::Column> Level::createParentColumn()
    {
        return depth > 0 ? std::make_unique<Level> (tree, depth - 1) : nullptr;
    }

    std::unique_ptr<ColumnBrowser::Column> Level::createChildColumn (int row)
    {
        return hasChildren (row) ? std::make_unique<Level> (tree, depth + 1) : nullptr;
    }

    void Level::itemSelected (int row)                                { tree.log.push_back ("selected " + getItemText (row)); }
    void Level::itemNameChanged (int row, const juce::String& text)   { tree.log.push_back ("renamed " + getItemText (row) + " " + text); }

    /** A point in a column over a row of its list, y pixels into the row. */
    juce::Point<int> inRow (int row, int y)     { return { 20, 4 + row * ColumnBrowser::ListColumn::List::rowHeight + y }; }

    juce::DragAndDropTarget::SourceDetails dragFrom (ColumnBrowser::ListColumn& source, juce::Point<int> position)
    {
        return { juce::var (ColumnBrowser::ListColumn::dragDescription), &source.getList(), position };
    }
}

TEST (ColumnBrowserTest, SelectingOpensChildColumnsAndCompletesParents)
{
    TreeBrowser browser;
    ASSERT_EQ (browser.getNumColumns(), 1);

    // Odd items have no children: nothing opens, but the column hears of the choice.
    browser.level (0).selectRow (1, true);
    EXPECT_EQ (browser.getNumColumns(), 1);
    EXPECT_EQ (browser.log, std::vector<juce::String> { "selected Item 0.1" });

    browser.level (0).selectRow (2, true);
    ASSERT_EQ (browser.getNumColumns(), 2);
    EXPECT_EQ (browser.level (1).getX(), browser.level (0).getWidth());
    EXPECT_TRUE (browser.level (0).isLastColumn() == false && browser.level (1).isLastColumn());
    EXPECT_EQ (browser.level (1).getPreviousColumn(), &browser.level (0));

    // A column replaces those that are not its parents and brings the missing ones.
    browser.addColumn (std::make_unique<Level> (browser, 0));
    ASSERT_EQ (browser.getNumColumns(), 1);
    browser.addColumn (std::make_unique<Level> (browser, 2));
    ASSERT_EQ (browser.getNumColumns(), 3);
    juce::Component::SafePointer<ColumnBrowser::Column> middle (&browser.level (1));
    browser.addColumn (std::make_unique<Level> (browser, 2));
    EXPECT_EQ (browser.getNumColumns(), 3);
    EXPECT_EQ (&browser.level (1), middle.getComponent());

    auto fresh = std::make_unique<TreeBrowser>();
    fresh->addColumn (std::make_unique<Level> (*fresh, 2));
    ASSERT_EQ (fresh->getNumColumns(), 3);
    EXPECT_EQ (fresh->level (0).depth, 0);
    EXPECT_EQ (fresh->level (2).depth, 2);
    EXPECT_EQ (fresh->getContent().getWidth(), 150 + 160 + 170);
}

TEST (ColumnBrowserTest, ReplacingColumnsKeepTheirWidthAndResizingStopsAtTheFloor)
{
    TreeBrowser browser;
    browser.level (0).selectRow (0, false);
    ASSERT_EQ (browser.getNumColumns(), 2);
    EXPECT_EQ (browser.level (1).getWidth(), 160);   // replaced nothing: its own width

    auto& child = browser.level (1);
    const int w = child.getWidth();
    child.mouseDown (mouseEvent (child, { (float) w - 3.0f, 50.0f }));
    child.mouseDrag (mouseEvent (child, { (float) w + 137.0f, 50.0f }, juce::ModifierKeys::leftButtonModifier, { (float) w - 3.0f, 50.0f }, true));
    child.mouseUp (mouseEvent (child, { (float) w + 137.0f, 50.0f }));
    EXPECT_EQ (child.getWidth(), 300);
    EXPECT_EQ (browser.getContent().getWidth(), 150 + 300);

    // The next child takes the wider width of the one it replaces.
    browser.level (0).selectRow (4, false);
    ASSERT_EQ (browser.getNumColumns(), 2);
    EXPECT_EQ (browser.level (1).getWidth(), 300);

    auto& replaced = browser.level (1);
    replaced.mouseDown (mouseEvent (replaced, { 297.0f, 50.0f }));
    replaced.mouseDrag (mouseEvent (replaced, { 17.0f, 50.0f }, juce::ModifierKeys::leftButtonModifier, { 297.0f, 50.0f }, true));
    EXPECT_EQ (replaced.getWidth(), ColumnBrowser::minimumColumnWidth);

    // A press away from the grip does not resize.
    replaced.mouseDown (mouseEvent (replaced, { 40.0f, 50.0f }));
    replaced.mouseDrag (mouseEvent (replaced, { 240.0f, 50.0f }, juce::ModifierKeys::leftButtonModifier, { 40.0f, 50.0f }, true));
    EXPECT_EQ (replaced.getWidth(), ColumnBrowser::minimumColumnWidth);
}

TEST (ColumnBrowserTest, DropZonesFollowRowPositionAndPermissions)
{
    TreeBrowser browser;
    auto& column = browser.level (0);
    using M = ColumnBrowser::ListColumn;

    EXPECT_EQ (column.findDropTarget (column, inRow (3, 2)), std::make_pair (M::insertBeforeMode, 3));
    EXPECT_EQ (column.findDropTarget (column, inRow (3, 10)), std::make_pair (M::dropOnItemMode, 3));
    EXPECT_EQ (column.findDropTarget (column, inRow (3, 17)), std::make_pair (M::insertAfterMode, 3));
    EXPECT_EQ (column.findDropTarget (column, { 20, 4 + 10 * 20 + 8 }), std::make_pair (M::dropOnBackgroundMode, -1));

    column.itemDropsAllowed = false;
    EXPECT_EQ (column.findDropTarget (column, inRow (3, 9)), std::make_pair (M::insertBeforeMode, 3));
    EXPECT_EQ (column.findDropTarget (column, inRow (3, 11)), std::make_pair (M::insertAfterMode, 3));

    // A drag over a row calls the matching operation on the drop, then everything refreshes.
    column.itemDropsAllowed = true;
    const int changesBefore = browser.changes;
    column.itemDragEnter (dragFrom (column, inRow (5, 18)));
    EXPECT_EQ (column.getDropMode(), M::insertAfterMode);
    EXPECT_EQ (column.getDropRow(), 5);
    column.itemDropped (dragFrom (column, inRow (5, 18)));
    EXPECT_EQ (column.drops, (std::vector<std::pair<M::DropMode, int>> { { M::insertAfterMode, 5 } }));
    EXPECT_EQ (column.getDropMode(), M::noDrop);
    EXPECT_GT (browser.changes, changesBefore);

    // Hovering over an item selects it; leaving forgets the target.
    column.itemDragMove (dragFrom (column, inRow (2, 10)));
    EXPECT_TRUE (column.getList().isRowSelected (2));
    EXPECT_EQ (browser.getNumColumns(), 2);
    column.itemDragExit (dragFrom (column, inRow (2, 10)));
    EXPECT_EQ (column.getDropMode(), M::noDrop);

    // Drags of other kinds or from another browser are not taken.
    TreeBrowser other;
    EXPECT_FALSE (column.isInterestedInDragSource (dragFrom (other.level (0), {})));
    EXPECT_FALSE (column.isInterestedInDragSource ({ juce::var ("Files"), &column.getList(), {} }));
    EXPECT_TRUE (column.isInterestedInDragSource (dragFrom (column, {})));
}

TEST (ColumnBrowserTest, ARunningDragKeepsItsSourceColumnAlive)
{
    TreeBrowser browser;
    browser.level (0).selectRow (0, false);
    juce::Component::SafePointer<ColumnBrowser::Column> source (&browser.level (1));
    browser.dragOperationStarted (dragFrom (browser.level (1), {}));

    browser.level (0).selectRow (2, false);
    ASSERT_NE (source.getComponent(), nullptr);
    EXPECT_EQ (source->getParentComponent(), nullptr);
    EXPECT_NE (&browser.level (1), source.getComponent());

    // Without a drag a replaced column goes at once.
    browser.dragOperationEnded (dragFrom (browser.level (1), {}));
    juce::Component::SafePointer<ColumnBrowser::Column> plain (&browser.level (1));
    browser.level (0).selectRow (4, false);
    EXPECT_EQ (plain.getComponent(), nullptr);
}

TEST (ColumnBrowserTest, DoubleClickRenamesOnlyASingleSelectedRow)
{
    TreeBrowser browser;
    browser.setVisible (true);
    auto& list = browser.level (0).getList();
    list.updateContent();

    list.selectRangeOfRows (1, 3);
    list.listBoxItemDoubleClicked (3, mouseEvent (list, {}));
    auto* item = list.getItemComponent (3);
    ASSERT_NE (item, nullptr);
    EXPECT_EQ (item->getLabel().getEditor(), nullptr);

    list.selectRow (3);
    list.listBoxItemDoubleClicked (3, mouseEvent (list, {}));
    ASSERT_NE (item->getLabel().getEditor(), nullptr);
    EXPECT_EQ (item->getLabel().getEditor()->getText(), "Item 0.3");
}

TEST (ColumnBrowserTest, ItemComponentsShowTheirRows)
{
    TreeBrowser browser;
    browser.setVisible (true);
    auto& list = browser.level (0).getList();
    list.updateContent();
    list.selectRow (2);

    auto* withChildren = list.getItemComponent (2);
    auto* plain = list.getItemComponent (3);
    ASSERT_TRUE (withChildren != nullptr && plain != nullptr);

    EXPECT_TRUE (withChildren->isSelected() && withChildren->hasChildren());
    EXPECT_TRUE (withChildren->getLabel().getFont().isBold());
    EXPECT_FALSE (plain->getLabel().getFont().isBold());
    EXPECT_EQ (withChildren->getLabel().findColour (juce::Label::textColourId), juce::Colours::white);
    EXPECT_EQ (plain->getLabel().findColour (juce::Label::textColourId), juce::Colours::black);

    // The name leaves room for the icon, and for the arrow where there are children.
    EXPECT_EQ (plain->getLabel().getBounds(), juce::Rectangle<int> (19, 1, plain->getWidth() - 19, 18));
    EXPECT_EQ (withChildren->getLabel().getWidth(), withChildren->getWidth() - 19 - 13);
    bool clicksOnItem = true, clicksOnChildren = true;
    plain->getInterceptsMouseClicks (clicksOnItem, clicksOnChildren);
    EXPECT_FALSE (clicksOnItem || clicksOnChildren);
}
