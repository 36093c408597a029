#include "TabbedComponentEx.h"

#include "../editor/DefaultLookAndFeel.h"

TabbedComponentEx::TabbedComponentEx()
    : juce::TabbedComponent (juce::TabbedButtonBar::TabsAtTop)
{
}

TabbedComponentEx::~TabbedComponentEx() = default;

void TabbedComponentEx::addPage (const juce::String& name, juce::Component* page, int insertIndex)
{
    addTab (name, juce::Colour (tabColour), page, false, insertIndex);

    if (insertIndex == 0)
        setCurrentTabIndex (0);
}

void TabbedComponentEx::currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName)
{
    listeners.callLastToFirst ([&] (Listener& l) { l.currentTabChanged (this, newCurrentTabIndex, newCurrentTabName); });

    // A page added before the window reached the editor has not met its look-and-feel yet.
    if (auto* page = getCurrentContentComponent())
        page->sendLookAndFeelChange();
}

void TabbedComponentEx::lookAndFeelChanged()
{
    takeMetrics();
    juce::TabbedComponent::lookAndFeelChanged();
}

void TabbedComponentEx::parentHierarchyChanged()
{
    takeMetrics();
    juce::TabbedComponent::parentHierarchyChanged();
}

void TabbedComponentEx::takeMetrics()
{
    if (auto* look = DefaultLookAndFeel::of (*this))
    {
        setTabBarDepth (look->getTabBarDepth());
        setIndent (look->getTabIndent());
    }
}
