#include "WindowTestSupport.h"

#include "../MessageLoop.h"
#include "framework/windows/ComboBoxEx.h"

using namespace WindowTesting;

namespace
{
    struct ChoiceRecorder : PopupMenuEx::Listener, ComboBoxEx::Listener
    {
        void popupMenuItemChosen (PopupMenuEx*, int itemId, bool) override   { chosen.push_back (itemId); }
        void comboBoxExChanged (ComboBoxEx*) override                        { ++comboChanges; }

        std::vector<int> chosen;
        int comboChanges = 0;
    };

    /** Rates: two plain items, a "Dotted" sub-menu with its own sub-menu, a disabled item. */
    void fillRates (PopupMenuEx& menu)
    {
        menu.addItem (1, "1/4");
        menu.addItem (2, "1/8");
        auto& dotted = menu.addSubMenu ("Dotted");
        dotted.addItem (11, "1/4 dotted");
        dotted.addItem (12, "1/8 dotted");
        dotted.addSubMenu ("Very slow").addItem (21, "4 bars dotted");
        menu.addItem (3, "Free", false);
    }
}

TEST (PopupMenuModelTest, FindsItemsDepthFirstAndTracksTicksAtEveryDepth)
{
    PopupMenuEx menu;
    fillRates (menu);
    menu.addItem (11, "duplicate after the sub-menu");

    ASSERT_NE (menu.findItem (11), nullptr);
    EXPECT_EQ (menu.getItemText (11), "1/4 dotted");    // the sub-menu stands before the duplicate
    EXPECT_EQ (menu.getItemText (21), "4 bars dotted");
    EXPECT_EQ (menu.getItemText (99), "");
    EXPECT_EQ (menu.findItem (21)->menu->getLevel(), 2);

    auto& dottedEntry = menu.getItem (2);
    menu.setItemTicked (21, true, false);
    EXPECT_TRUE (menu.findItem (21)->ticked);
    EXPECT_TRUE (dottedEntry.containsTickedItem);
    EXPECT_TRUE (dottedEntry.subMenu->getItem (2).containsTickedItem);

    menu.setItemTicked (1, true, true);
    EXPECT_TRUE (menu.findItem (1)->ticked);
    EXPECT_FALSE (menu.findItem (21)->ticked);
    EXPECT_FALSE (dottedEntry.containsTickedItem);

    menu.setItemTicked (11, true, true);   // both items with the ID
    EXPECT_TRUE (menu.findItem (11)->ticked);
    EXPECT_TRUE (menu.getItem (4).ticked);
    EXPECT_TRUE (dottedEntry.containsTickedItem);

    menu.clear();
    EXPECT_EQ (menu.getNumItems(), 0);
    EXPECT_EQ (menu.findItem (1), nullptr);
}

class PopupMenuTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        combo.setBounds (40, 30, 120, 18);
        fillRates (combo.getMenu());
        combo.getMenu().addListener (&recorder);
        combo.addListener (&recorder);
        desktop.addAndMakeVisible (combo);
        desktop.putOnScreen();
    }

    void TearDown() override
    {
        desktop.removeChildComponent (&combo);
    }

    PopupMenuEx::PopupMenuComponent& popup()     { return combo.getMenu().getPopupComponent(); }

    /** A point in the middle of a row of an open menu window, in the desktop's coordinates. */
    juce::Point<int> rowCentre (int level, int row)
    {
        auto* window = popup().getOpenWindow (level);
        EXPECT_NE (window, nullptr);
        return desktop.getLocalPoint (window, juce::Point<int> (window->getWidth() / 2,
                                                                PopupMenuEx::Window::getRowTop (row) + 8));
    }

    void openMenu()
    {
        desktop.clickAt (desktop.getLocalPoint (&combo, juce::Point<int> (10, 9)));
        ASSERT_TRUE (popup().isShown());
    }

    TestDesktop desktop;
    ComboBoxEx combo { "RateBox" };
    ChoiceRecorder recorder;
};

TEST_F (PopupMenuTest, AComboBoxShowsDashesInItalicsForAnUnknownId)
{
    EXPECT_EQ (combo.getText(), "---");
    combo.setSelectedId (2);
    EXPECT_EQ (combo.getText(), "1/8");
    EXPECT_FALSE (combo.getTextFont().isItalic());
    EXPECT_TRUE (combo.getMenu().findItem (2)->ticked);

    combo.setSelectedId (77);
    EXPECT_EQ (combo.getText(), "---");
    EXPECT_FALSE (combo.isSelectedItemEnabled());
    EXPECT_TRUE (combo.getTextFont().isItalic());
    EXPECT_FALSE (combo.getMenu().findItem (2)->ticked);

    combo.setSelectedId (3);   // a disabled item shows its text in italics
    EXPECT_EQ (combo.getText(), "Free");
    EXPECT_TRUE (combo.getTextFont().isItalic());
    EXPECT_EQ (recorder.comboChanges, 3);
}

TEST_F (PopupMenuTest, APressOpensTheMenuUnderTheBoxWithoutDimmingAndChoosingSelects)
{
    combo.setSelectedId (1);
    recorder.comboChanges = 0;
    openMenu();

    ASSERT_EQ (popup().getNumOpenWindows(), 1);
    auto* window = popup().getOpenWindow (0);
    EXPECT_EQ (desktop.getLocalPoint (window, juce::Point<int>()), juce::Point<int> (40, 48));
    EXPECT_EQ (window->getHeight(), 4 * 16 + 8);
    EXPECT_EQ (window->getWidth(), juce::roundToInt (std::ceil (window->getFont().getStringWidthFloat ("Dotted"))) + 12);
    EXPECT_EQ (window->getFont().getHeight(), 13.0f);
    EXPECT_EQ (desktop.colourAt ({ 300, 300 }), TestDesktop::background);   // menus do not dim

    desktop.clickAt (rowCentre (0, 1));
    EXPECT_FALSE (popup().isShown());
    EXPECT_EQ (recorder.chosen, std::vector<int> ({ 2 }));
    EXPECT_EQ (combo.getSelectedId(), 2);
    EXPECT_EQ (recorder.comboChanges, 1);
}

TEST_F (PopupMenuTest, ChoosingTheSelectedItemOrADisabledOneNotifiesNobody)
{
    combo.setSelectedId (1);
    recorder.comboChanges = 0;

    openMenu();
    desktop.clickAt (rowCentre (0, 3));    // disabled: the menu stays open
    EXPECT_TRUE (popup().isShown());
    EXPECT_TRUE (recorder.chosen.empty());

    desktop.clickAt (rowCentre (0, 0));    // the selected item
    EXPECT_FALSE (popup().isShown());
    EXPECT_EQ (recorder.chosen, std::vector<int> ({ 1 }));
    EXPECT_EQ (recorder.comboChanges, 0);
}

TEST_F (PopupMenuTest, APressOutsideTheMenuWindowsClosesWithoutAChoice)
{
    openMenu();
    desktop.clickAt (rowCentre (0, 2));    // a press opens the sub-menu at once
    ASSERT_EQ (popup().getNumOpenWindows(), 2);

    desktop.clickAt ({ 600, 380 });
    EXPECT_FALSE (popup().isShown());
    EXPECT_EQ (popup().getNumOpenWindows(), 0);
    EXPECT_TRUE (recorder.chosen.empty());
    EXPECT_EQ (combo.getSelectedId(), -1);
}

TEST_F (PopupMenuTest, ASubMenuOpensAndClosesATenthOfASecondAfterTheMouseMoves)
{
    openMenu();
    desktop.moveMouseTo (rowCentre (0, 2));
    EXPECT_EQ (popup().getNumOpenWindows(), 1);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return popup().getNumOpenWindows() == 2; }, 1000));

    auto* top = popup().getOpenWindow (0);
    auto* sub = popup().getOpenWindow (1);
    EXPECT_EQ (sub->getPosition(), juce::Point<int> (top->getRight() + 5, top->getY() + 2 * 16));

    desktop.moveMouseTo (rowCentre (1, 2));    // and on into the sub-sub-menu
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return popup().getNumOpenWindows() == 3; }, 1000));

    const auto moved = juce::Time::getMillisecondCounter();
    desktop.moveMouseTo (rowCentre (0, 0));    // back on a plain item of the top menu
    EXPECT_EQ (popup().getNumOpenWindows(), 3);   // not at once
    EXPECT_TRUE (popup().isWaitingToOpen());
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return popup().getNumOpenWindows() == 1; }, 1000));
    EXPECT_GE (juce::Time::getMillisecondCounter() - moved, 95u);

    desktop.moveMouseTo (rowCentre (0, 2));
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return popup().getNumOpenWindows() == 2; }, 1000));
    desktop.clickAt (rowCentre (1, 1));
    EXPECT_EQ (recorder.chosen, std::vector<int> ({ 12 }));
    EXPECT_EQ (combo.getText(), "1/8 dotted");
    EXPECT_TRUE (combo.getMenu().getItem (2).containsTickedItem);
}
