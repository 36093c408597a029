#pragma once

#include "PseudoModalComponent.h"
#include "../parameters/ListenerArray.h"

#include <memory>
#include <vector>

/** A menu drawn inside the editor (native popup menus are not dependable inside a host's
    window): items with an ID, a text, a tick and an enabled state, nested sub-menus, and
    a pseudo-modal popup component that opens one window per open menu level. */
class PopupMenuEx
{
public:
    class PopupMenuComponent;
    class Window;

    /** Told which item the user chose in a menu or any of its sub-menus. */
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void popupMenuItemChosen (PopupMenuEx* menu, int itemId, bool ticked) = 0;
    };

    struct Item
    {
        int itemId = 0;
        juce::String text;
        bool ticked = false;
        bool enabled = true;
        bool containsTickedItem = false;     // the sub-menu holds a ticked item, at any depth
        std::unique_ptr<PopupMenuEx> subMenu;
        PopupMenuEx* menu = nullptr;         // the menu the item belongs to

        /** Only enabled items without a sub-menu can be chosen. */
        bool canBeChosen() const noexcept    { return enabled && subMenu == nullptr; }
    };

    explicit PopupMenuEx (const juce::String& name = {});
    virtual ~PopupMenuEx();

    //==============================================================================
    void addItem (int itemId, const juce::String& text, bool enabled = true, bool ticked = false);

    /** Adds an entry that opens a sub-menu, and returns the sub-menu to fill. */
    PopupMenuEx& addSubMenu (const juce::String& text, bool enabled = true);

    /** Removes every item (and closes the menu if it is open). */
    void clear();

    int getNumItems() const noexcept                { return (int) items.size(); }
    Item& getItem (int index)                       { return *items[(size_t) index]; }
    const juce::String& getName() const noexcept    { return name; }
    int getLevel() const noexcept                   { return level; }

    /** The first item with the ID, searching sub-menus where their entries stand; or null. */
    Item* findItem (int itemId);

    /** The text of the item with the ID, or an empty text. */
    juce::String getItemText (int itemId);

    /** Ticks or unticks every item with the ID at any depth; with untickOthers every
        other item loses its tick. Open windows show the change. */
    void setItemTicked (int itemId, bool ticked, bool untickOthers);

    void addListener (Listener* listener)           { listeners.add (listener); }
    void removeListener (Listener* listener)        { listeners.remove (listener); }

    //==============================================================================
    /** The component that shows this menu; show it with `showAt`. */
    PopupMenuComponent& getPopupComponent() noexcept    { return *popupComponent; }

    /** Chooses an item of this menu or one of its sub-menus: closes the menu, then tells
        the listeners of the top menu. */
    void chooseItem (const Item& item);

private:
    PopupMenuEx& getTopMenu() noexcept;
    bool hasTickedItem() const;
    void untickAllExcept (int itemId);
    void updateContainsTicked();
    void repaintOpenWindows();

    juce::String name;
    int level = 0;
    PopupMenuEx* parentMenu = nullptr;
    std::vector<std::unique_ptr<Item>> items;
    ListenerArray<Listener> listeners;
    std::unique_ptr<PopupMenuComponent> popupComponent;
};

//==============================================================================
/** Shows a menu over the editor without dimming it: a transparent layer over the whole
    editor that holds one window per open menu level. Moving over an item with a
    sub-menu opens that sub-menu after 100 ms (a press opens it at once); moving over a
    plain item closes deeper menus after the same time. A press outside every window
    closes the menu without a choice. */
class PopupMenuEx::PopupMenuComponent : public PseudoModalComponent,
                                        private juce::Timer
{
public:
    explicit PopupMenuComponent (PopupMenuEx& topMenu);
    ~PopupMenuComponent() override;

    PopupMenuEx& getTopMenu() const noexcept    { return topMenu; }

    int getNumOpenWindows() const noexcept      { return openWindows.size(); }
    Window* getOpenWindow (int level) const     { return openWindows[level]; }
    PopupMenuEx* getDeepestOpenMenu() const noexcept;
    PopupMenuEx* getPendingMenu() const noexcept { return pendingMenu; }
    bool isWaitingToOpen() const                { return isTimerRunning(); }

    /** Asks for a menu to open next to a window row: after the delay, or at once. */
    void setPending (PopupMenuEx* menu, juce::Point<int> where, bool openNow);

    /** Stops a pending open (the user pressed a plain item). */
    void cancelPending()                        { stopTimer(); }

    /** Opens the pending menu, first closing deeper menus and another menu of its level. */
    void openPendingMenu();

    void closeAllWindows();
    void repaintOpenWindows();

    void positionWindow() override;
    void modalStateChanged() override;
    void mouseDown (const juce::MouseEvent&) override;

    static constexpr int openDelayMs = 100;

private:
    void timerCallback() override;
    void closeDeepestWindow();

    PopupMenuEx& topMenu;
    juce::OwnedArray<Window> openWindows;
    PopupMenuEx* pendingMenu = nullptr;
    juce::Point<int> pendingPosition;
};

//==============================================================================
/** One open menu level: its items in rows of 16 pixels, the hovered row highlighted,
    bold for an entry whose sub-menu holds the ticked item. */
class PopupMenuEx::Window : public juce::Component
{
public:
    Window (PopupMenuComponent& owner, PopupMenuEx& menu);

    PopupMenuEx& getMenu() const noexcept       { return menu; }
    int getHoveredRow() const noexcept          { return hoveredRow; }
    const juce::Font& getFont() const noexcept  { return font; }

    /** The item row under a point of this window, or -1. */
    int getRowAt (juce::Point<int> position) const;

    /** The top of a row's area in this window. */
    static int getRowTop (int row)              { return 3 + rowHeight * row; }

    /** Takes the size the items need in the window's font. */
    void updateSize();

    void paint (juce::Graphics&) override;
    void lookAndFeelChanged() override;
    void mouseMove (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;

    static constexpr int rowHeight = 16;

private:
    /** The sub-menu of a row, or the row's own menu, asked to open beside the row. */
    void setPendingFor (int row, bool openNow);

    PopupMenuComponent& owner;
    PopupMenuEx& menu;
    juce::Font font { 14.0f };
    int hoveredRow = -1;
};
