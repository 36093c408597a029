#pragma once

#include "../parameters/ListenerArray.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A ticking box with its text at the right; a click on the box or the text toggles it.
    It is as wide as box, gap and text, and as high as the taller of box and font. */
class CheckBox : public juce::Component,
                 public juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void checkBoxChanged (CheckBox*) = 0;
    };

    explicit CheckBox (const juce::String& text);
    ~CheckBox() override;

    /** Ticks or unticks the box; with notify the listeners hear of a change. */
    void setChecked (bool shouldBeChecked, bool notify);
    bool isChecked() const noexcept                     { return box.getToggleState(); }

    const juce::String& getText() const noexcept        { return text; }
    juce::ImageButton& getBox() noexcept                { return box; }

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void buttonClicked (juce::Button*) override;
    void mouseUp (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void enablementChanged() override                   { repaint(); }
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

private:
    void takeLookAndFeel();

    const juce::String text;
    juce::ImageButton box { "CheckBox" };
    juce::Font font { 13.0f };
    int gap = 5;
    ListenerArray<Listener> listeners;

    JUCE_DECLARE_NON_COPYABLE (CheckBox)
};
