#pragma once

#include "../parameters/ListenerArray.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** Tabs whose listeners hear when another page comes to the front. */
class TabbedComponentEx : public juce::TabbedComponent
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void currentTabChanged (TabbedComponentEx*, int newTabIndex, const juce::String& newTabName) = 0;
    };

    TabbedComponentEx();
    ~TabbedComponentEx() override;

    /** Adds a page (not owned) with the tab colour of the options pages; a page inserted
        at the front also comes to the front. */
    void addPage (const juce::String& name, juce::Component* page, int insertIndex = -1);

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void currentTabChanged (int newCurrentTabIndex, const juce::String& newCurrentTabName) override;

    /** The tab bar's depth and indent come from the editor's look-and-feel, which the
        tabs meet when it changes or when they join the editor. */
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

    static constexpr juce::uint32 tabColour = 0xffc5c5c5;

private:
    void takeMetrics();

    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (TabbedComponentEx)
};
