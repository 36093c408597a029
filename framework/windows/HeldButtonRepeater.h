#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

/** Repeats a button's action while the button is held down: the first repeat after a
    pause, then at a faster pace, until the button is released. The press itself is the
    button's own click; this only adds the repeats. */
class HeldButtonRepeater : private juce::Button::Listener,
                           private juce::Timer
{
public:
    HeldButtonRepeater (juce::Button& button, std::function<void()> action,
                        int firstRepeatMs = 1000, int repeatIntervalMs = 100);
    ~HeldButtonRepeater() override;

    /** One tick of the repeat clock (the timer's own call; tests drive it directly). */
    void repeat();

    /** The time to the next repeat, 0 while the button is up. */
    int getDelayToNextRepeat() const    { return getTimerInterval(); }

private:
    void buttonClicked (juce::Button*) override {}
    void buttonStateChanged (juce::Button*) override;
    void timerCallback() override       { repeat(); }

    juce::Button& button;
    std::function<void()> action;
    const int firstRepeatMs, repeatIntervalMs;
};
