#include "PopupMenuEx.h"

#include "../editor/DefaultLookAndFeel.h"

PopupMenuEx::PopupMenuEx (const juce::String& menuName)
    : name (menuName),
      popupComponent (std::make_unique<PopupMenuComponent> (*this))
{
}

PopupMenuEx::~PopupMenuEx()
{
    // The popup component goes first: its windows refer to this menu's items.
    popupComponent.reset();
}

//==============================================================================
void PopupMenuEx::addItem (int itemId, const juce::String& text, bool enabled, bool ticked)
{
    auto item = std::make_unique<Item>();
    item->itemId = itemId;
    item->text = text;
    item->enabled = enabled;
    item->ticked = ticked;
    item->menu = this;
    items.push_back (std::move (item));

    if (ticked)
        getTopMenu().updateContainsTicked();
}

PopupMenuEx& PopupMenuEx::addSubMenu (const juce::String& text, bool enabled)
{
    addItem (0, text, enabled, false);
    auto& entry = *items.back();
    entry.subMenu = std::make_unique<PopupMenuEx> (text);
    entry.subMenu->level = level + 1;
    entry.subMenu->parentMenu = this;
    return *entry.subMenu;
}

void PopupMenuEx::clear()
{
    getTopMenu().getPopupComponent().closeAllWindows();
    items.clear();
    getTopMenu().updateContainsTicked();
}

PopupMenuEx& PopupMenuEx::getTopMenu() noexcept
{
    auto* menu = this;

    while (menu->parentMenu != nullptr)
        menu = menu->parentMenu;

    return *menu;
}

//==============================================================================
PopupMenuEx::Item* PopupMenuEx::findItem (int itemId)
{
    for (auto& item : items)
    {
        if (item->itemId == itemId && item->subMenu == nullptr)
            return item.get();

        if (item->subMenu != nullptr)
            if (auto* found = item->subMenu->findItem (itemId))
                return found;
    }

    return nullptr;
}

juce::String PopupMenuEx::getItemText (int itemId)
{
    auto* item = findItem (itemId);
    return item != nullptr ? item->text : juce::String();
}

void PopupMenuEx::setItemTicked (int itemId, bool ticked, bool untickOthers)
{
    for (auto& item : items)
    {
        if (item->subMenu != nullptr)
            item->subMenu->setItemTicked (itemId, ticked, untickOthers);
        else if (item->itemId == itemId)
            item->ticked = ticked;
        else if (untickOthers)
            item->ticked = false;
    }

    if (parentMenu == nullptr)
    {
        updateContainsTicked();
        popupComponent->repaintOpenWindows();
    }
}

bool PopupMenuEx::hasTickedItem() const
{
    for (auto& item : items)
        if (item->ticked || item->containsTickedItem)
            return true;

    return false;
}

void PopupMenuEx::updateContainsTicked()
{
    for (auto& item : items)
    {
        if (item->subMenu != nullptr)
        {
            item->subMenu->updateContainsTicked();
            item->containsTickedItem = item->subMenu->hasTickedItem();
        }
        else
        {
            item->containsTickedItem = false;
        }
    }
}

//==============================================================================
void PopupMenuEx::chooseItem (const Item& item)
{
    if (! item.canBeChosen())
        return;

    const int itemId = item.itemId;
    const bool ticked = item.ticked;
    auto& top = getTopMenu();

    top.popupComponent->hide();
    top.listeners.callLastToFirst ([&top, itemId, ticked] (Listener& l) { l.popupMenuItemChosen (&top, itemId, ticked); });
}

//==============================================================================
PopupMenuEx::PopupMenuComponent::PopupMenuComponent (PopupMenuEx& menu)
    : topMenu (menu)
{
}

PopupMenuEx::PopupMenuComponent::~PopupMenuComponent()
{
    stopTimer();
    openWindows.clear();
}

PopupMenuEx* PopupMenuEx::PopupMenuComponent::getDeepestOpenMenu() const noexcept
{
    auto* deepest = openWindows.getLast();
    return deepest != nullptr ? &deepest->getMenu() : nullptr;
}

void PopupMenuEx::PopupMenuComponent::positionWindow()
{
    if (auto* parent = getParentComponent())
        setBounds (parent->getLocalBounds());
}

void PopupMenuEx::PopupMenuComponent::modalStateChanged()
{
    closeAllWindows();

    if (isShown())
        setPending (&topMenu, getShowPosition(), true);
}

void PopupMenuEx::PopupMenuComponent::mouseDown (const juce::MouseEvent&)
{
    // Only presses outside every menu window arrive here.
    hide();
}

void PopupMenuEx::PopupMenuComponent::setPending (PopupMenuEx* menu, juce::Point<int> where, bool openNow)
{
    pendingMenu = menu;
    pendingPosition = where;

    if (openNow)
        openPendingMenu();
    else if (pendingMenu == getDeepestOpenMenu())
        stopTimer();
    else
        startTimer (openDelayMs);
}

void PopupMenuEx::PopupMenuComponent::timerCallback()
{
    stopTimer();
    openPendingMenu();
}

void PopupMenuEx::PopupMenuComponent::openPendingMenu()
{
    stopTimer();

    if (pendingMenu == nullptr)
        return;

    while (openWindows.size() > 1 && getDeepestOpenMenu()->getLevel() > pendingMenu->getLevel())
        closeDeepestWindow();

    if (auto* deepest = getDeepestOpenMenu(); deepest != nullptr && deepest != pendingMenu
                                               && deepest->getLevel() == pendingMenu->getLevel())
        closeDeepestWindow();

    if (getDeepestOpenMenu() == pendingMenu)
        return;

    auto* window = openWindows.add (new Window (*this, *pendingMenu));
    window->setLookAndFeel (&getLookAndFeel());
    window->updateSize();

    // A menu that would reach past the editor moves back inside it, so that every item
    // can be reached.
    auto area = window->getBounds().withPosition (pendingPosition);

    if (auto* cover = getParentComponent())
        area = area.constrainedWithin (cover->getLocalBounds());

    window->setBounds (area);
    addAndMakeVisible (window);
}

void PopupMenuEx::PopupMenuComponent::closeDeepestWindow()
{
    if (openWindows.size() > 1)
        openWindows.removeLast();
}

void PopupMenuEx::PopupMenuComponent::closeAllWindows()
{
    stopTimer();
    openWindows.clear();
}

void PopupMenuEx::PopupMenuComponent::repaintOpenWindows()
{
    for (auto* window : openWindows)
        window->repaint();
}

//==============================================================================
PopupMenuEx::Window::Window (PopupMenuComponent& popup, PopupMenuEx& shownMenu)
    : owner (popup), menu (shownMenu)
{
}

void PopupMenuEx::Window::lookAndFeelChanged()
{
    if (auto* look = DefaultLookAndFeel::of (*this))
        font = look->getStandardFont();

    updateSize();
}

void PopupMenuEx::Window::updateSize()
{
    int widest = 0;

    for (int i = 0; i < menu.getNumItems(); ++i)
        widest = juce::jmax (widest, juce::roundToInt (std::ceil (font.getStringWidthFloat (menu.getItem (i).text))));

    setSize (widest + 12, menu.getNumItems() * rowHeight + 8);
}

int PopupMenuEx::Window::getRowAt (juce::Point<int> position) const
{
    const int row = (position.y - 6) / rowHeight;   // truncated toward zero
    return juce::isPositiveAndBelow (row, menu.getNumItems()) ? row : -1;
}

void PopupMenuEx::Window::paint (juce::Graphics& g)
{
    const auto bounds = getLocalBounds().toFloat();
    g.setColour (juce::Colour (0xffe3e3e3));
    g.fillRoundedRectangle (bounds, 6.0f);
    g.setColour (juce::Colours::black);
    g.drawRoundedRectangle (bounds.reduced (0.5f), 5.0f, 1.0f);

    for (int row = 0; row < menu.getNumItems(); ++row)
    {
        const auto& item = menu.getItem (row);
        const int top = getRowTop (row);

        if (row == hoveredRow)
        {
            g.setColour (juce::Colour (0xffadadad));
            g.fillRoundedRectangle (juce::Rectangle<int> (4, top + 1, getWidth() - 8, rowHeight).toFloat(), 3.0f);
        }

        g.setColour (juce::Colours::black);
        g.setFont (item.subMenu != nullptr && item.containsTickedItem ? font.boldened() : font);
        g.drawText (item.text, 6, top, getWidth() - 12, rowHeight, juce::Justification::centredLeft, true);
    }
}

void PopupMenuEx::Window::setPendingFor (int row, bool openNow)
{
    auto& item = menu.getItem (row);
    auto* pending = item.subMenu != nullptr ? item.subMenu.get() : item.menu;
    owner.setPending (pending, { getRight() + 5, getY() + rowHeight * row }, openNow);
}

void PopupMenuEx::Window::mouseMove (const juce::MouseEvent& e)
{
    const int row = getRowAt (e.getPosition());

    if (row < 0)
        return;

    setPendingFor (row, false);

    if (row != hoveredRow)
    {
        hoveredRow = row;
        repaint();
    }
}

void PopupMenuEx::Window::mouseExit (const juce::MouseEvent&)
{
    hoveredRow = -1;
    repaint();
}

void PopupMenuEx::Window::mouseDown (const juce::MouseEvent& e)
{
    const int row = getRowAt (e.getPosition());

    if (row < 0)
        return;

    auto& item = menu.getItem (row);

    if (item.subMenu != nullptr)
    {
        setPendingFor (row, true);
    }
    else if (item.enabled)
    {
        owner.cancelPending();
        menu.chooseItem (item);
    }
}
