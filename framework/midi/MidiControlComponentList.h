#pragma once

#include "MidiControlComponent.h"

#include <functional>
#include <vector>

/** The table of a MIDI map: controller number and parameter name, filling column groups
    of as many rows as fit, column by column. Three groups are in view; more scroll
    sideways. A press selects the entry under the mouse. */
class MidiControlComponent::ListComponent : public juce::Component,
                                            public juce::ScrollBar::Listener
{
public:
    struct Entry
    {
        int controller = -1;
        juce::String parameterName;
    };

    ListComponent();
    ~ListComponent() override;

    /** Replaces the entries (controller numbers ascending) and clears the selection. */
    void setEntries (std::vector<Entry> newEntries);
    const std::vector<Entry>& getEntries() const noexcept   { return entries; }

    /** Selects an entry, scrolling its group into view; -1 selects nothing. An index past
        the entries is kept but matches nothing. */
    void selectEntry (int index);
    int getSelectedIndex() const noexcept                   { return selected; }

    /** The selected entry, or null when the selection matches none. */
    const Entry* getSelectedEntry() const;

    /** The index of a controller's entry, or -1. */
    int findEntry (int controller) const;

    /** Called after every change of the selection. */
    std::function<void()> onSelectionChanged;

    int getNumVisibleRows() const noexcept                  { return visibleRows; }
    int getNumGroups() const noexcept                       { return numGroups; }
    int getGroupWidth() const noexcept                      { return groupWidth; }
    int getScrollOffset() const noexcept;
    juce::Rectangle<int> getTableBounds() const noexcept    { return table; }
    juce::ScrollBar& getScrollBar() noexcept                { return scrollBar; }

    void scrollBarMoved (juce::ScrollBar*, double) override { repaint(); }
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override                      { resized(); }

    static constexpr int visibleGroups = 3;
    static constexpr int headerHeight = 19;
    static constexpr int rowHeight = 20;
    static constexpr int cellInset = 5;
    static constexpr float cornerRadius = 5.0f;

private:
    void updateLayout();
    void scrollToGroup (int group);
    void paintGroup (juce::Graphics&, int group, juce::Rectangle<int> inner) const;

    std::vector<Entry> entries;
    int selected = -1;
    juce::ScrollBar scrollBar { false };
    juce::Font headerFont { "Tahoma", 13.0f, juce::Font::bold };
    juce::Font bodyFont { "Tahoma", 13.0f, juce::Font::plain };

    juce::Rectangle<int> table;
    int visibleRows = 1, numGroups = visibleGroups, groupWidth = 0, controllerColumnWidth = 0;

    JUCE_DECLARE_NON_COPYABLE (ListComponent)
};
