#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** The strip under the skin that shows one message at a time.

    Each message has a priority; a message replaces the shown one only when its text is
    different and no message of higher priority is showing. A message with a lifetime
    clears itself when the lifetime runs out, one without stays until it is replaced or
    cleared. Font and height come from the DefaultLookAndFeel; under any other
    look-and-feel the bar keeps what it had. */
class StatusBar : public juce::Component,
                  public juce::Timer
{
public:
    /** The priorities the editor uses; 0 is an idle bar. */
    enum Priority
    {
        idlePriority = 0,
        settingsNotePriority = 4,
        midiMovedPriority = 5,
        controlChangePriority = 6,
        midiLearnPriority = 7
    };

    /** How long a message about a change stays. */
    static constexpr int messageLifetimeMs = 3000;

    StatusBar();

    /** Shows a message unless the rule above keeps the current one. A lifetime of 0 keeps
        the message until it is replaced or cleared. */
    void showMessage (const juce::String& message, int priority, int lifetimeMs = 0);

    /** Empties the bar and resets the priority to idle. */
    void clear();

    const juce::String& getText() const noexcept    { return text; }
    int getPriority() const noexcept                { return priority; }
    const juce::Font& getFont() const noexcept      { return font; }

    /** The lifetime ran out. */
    void timerCallback() override                   { clear(); }

    void lookAndFeelChanged() override;
    void parentHierarchyChanged() override;
    void paint (juce::Graphics&) override;

    static constexpr int textIndent = 5;

private:
    void takeLookAndFeel();

    juce::String text;
    int priority = idlePriority;
    juce::Font font;
};
