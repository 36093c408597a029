#include "HeldButtonRepeater.h"

HeldButtonRepeater::HeldButtonRepeater (juce::Button& heldButton, std::function<void()> repeatedAction,
                                        int firstRepeat, int repeatInterval)
    : button (heldButton),
      action (std::move (repeatedAction)),
      firstRepeatMs (firstRepeat),
      repeatIntervalMs (repeatInterval)
{
    button.setTriggeredOnMouseDown (true);
    button.addListener (this);
}

HeldButtonRepeater::~HeldButtonRepeater()
{
    button.removeListener (this);
}

void HeldButtonRepeater::buttonStateChanged (juce::Button*)
{
    if (! button.isDown())
        stopTimer();
    else if (! isTimerRunning())
        startTimer (firstRepeatMs);
}

void HeldButtonRepeater::repeat()
{
    if (! button.isDown() || ! button.isEnabled())
    {
        stopTimer();
        return;
    }

    startTimer (repeatIntervalMs);
    action();
}
