#include "FrameAlignedTimer.h"

FrameAlignedTimer::FrameAlignedTimer (juce::Component& componentInWindow)
    : frameSource (componentInWindow)
{
}

void FrameAlignedTimer::startTimer (int intervalMilliseconds)
{
    if (intervalMilliseconds <= 0)
    {
        stopTimer();
        return;
    }

    if (frames.isEmpty())
        frames = juce::VBlankAttachment (&frameSource, [this] { frameArrived (juce::Time::getMillisecondCounterHiRes()); });

    intervalMs = intervalMilliseconds;
    dueMs = juce::Time::getMillisecondCounterHiRes() + intervalMs;
}

void FrameAlignedTimer::stopTimer()
{
    intervalMs = 0;
    frames = juce::VBlankAttachment();
}

void FrameAlignedTimer::frameArrived (double nowMs)
{
    if (! isTimerRunning() || nowMs < dueMs - frameToleranceMs)
        return;

    // The due times stay on their grid, so the ticks keep the interval on average; after a
    // stall the grid starts afresh rather than catching up.
    dueMs = nowMs - dueMs < intervalMs ? dueMs + intervalMs : nowMs + intervalMs;
    timerCallback();
}
