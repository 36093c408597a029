#pragma once

#include "../parameters/ListenerArray.h"

#include <juce_gui_basics/juce_gui_basics.h>

/** A titled frame of mutually exclusive options, one image button per option. The
    selection is -1 when no option is chosen. Metrics and pictures come from the editor's
    `DefaultLookAndFeel`; the component grows to fit its title and options. */
class RadioButtons : public juce::Component,
                     public juce::Button::Listener
{
public:
    class Listener
    {
    public:
        virtual ~Listener() = default;
        virtual void radioButtonsChanged (RadioButtons*) = 0;
    };

    RadioButtons (const juce::String& title, const juce::StringArray& options);
    ~RadioButtons() override;

    /** Selects an option; an index outside the options selects none. Only the selected
        option's button is on. With notify the listeners hear of it, the last added first. */
    void setSelected (int index, bool notify);
    int getSelected() const noexcept                    { return selected; }

    const juce::String& getTitle() const noexcept       { return title; }
    const juce::StringArray& getOptions() const noexcept { return options; }
    juce::ImageButton* getButton (int index) const      { return buttons[index]; }

    void addListener (Listener* listener)               { listeners.add (listener); }
    void removeListener (Listener* listener)            { listeners.remove (listener); }

    void buttonClicked (juce::Button*) override;
    void paint (juce::Graphics&) override;
    void resized() override;
    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;

    static constexpr juce::uint32 frameColour = 0xff7c7c7c;
    static constexpr juce::uint32 titleBackgroundColour = 0xffc5c5c5;

protected:
    /** Runs after every change of the selection. */
    virtual void selectionChanged() {}

    /** Runs after the base sized the component, so that subclasses can add room. */
    virtual void updateSize() {}

    /** Where the text of an option is drawn. */
    juce::Rectangle<int> getOptionTextBounds (int index) const;
    int getOptionTextWidth (int index) const;
    int getRowHeight() const noexcept                   { return rowHeight; }
    int getButtonInset() const noexcept                 { return buttonInset; }
    int getTextGap() const noexcept                     { return textGap; }

    /** Takes metrics and pictures from the look-and-feel, then sizes and lays out. */
    void takeLookAndFeel();

private:
    int getFirstRowTop() const;

    const juce::String title;
    const juce::StringArray options;
    juce::OwnedArray<juce::ImageButton> buttons;
    int selected = -1;
    ListenerArray<Listener> listeners;

    juce::Font titleFont { 13.0f, juce::Font::bold }, optionFont { 13.0f, juce::Font::plain };
    int titleInset = 13, titleMargin = 4, buttonInset = 6, verticalMargin = 2, rowHeight = 20, textGap = 6;
    float cornerRadius = 4.0f;
    int widestButton = 0, tallestButton = 0, widestText = 0;

    JUCE_DECLARE_NON_COPYABLE (RadioButtons)
};
