#pragma once

#include "PopupMenuEx.h"

/** A drop-down box that shows the chosen item of its menu. A press opens the menu just
    under the box; choosing another item selects it and tells the listeners. An ID no
    item has shows "---" in italics. */
class ComboBoxEx : public juce::Component,
                   public PopupMenuEx::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void comboBoxExChanged (ComboBoxEx*) = 0;
    };

    explicit ComboBoxEx (const juce::String& name = {});
    ~ComboBoxEx() override;

    /** The menu to fill; refresh the shown text with `setSelectedId` after changing it. */
    PopupMenuEx& getMenu() noexcept                     { return menu; }

    /** Selects an item: shows its text (or "---"), ticks it alone, and tells the
        listeners when the ID changed. */
    void setSelectedId (int itemId, bool notify = true);

    int getSelectedId() const noexcept                  { return selectedId; }
    const juce::String& getText() const noexcept        { return text; }
    bool isSelectedItemEnabled() const noexcept         { return selectedItemEnabled; }

    /** The font the text is drawn in: italic when the selection is missing or disabled. */
    juce::Font getTextFont() const;

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void popupMenuItemChosen (PopupMenuEx*, int itemId, bool ticked) override;
    void paint (juce::Graphics&) override;
    void mouseDown (const juce::MouseEvent&) override;

    static constexpr const char* noSelectionText = "---";

private:
    void updateText();

    PopupMenuEx menu;
    juce::String text { noSelectionText };
    int selectedId = -1;
    bool selectedItemEnabled = false;
    ListenerArray<Listener> listeners;
};
