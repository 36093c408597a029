#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** A timer that fires on the display frames of the window its component shows in.

    JUCE already wakes the message thread for every frame of a window (at the display's
    refresh rate, or 100 times a second where the display reports none) to paint what
    changed; a timer of its own would wake the process again in between. This one fires on
    the first frame at or after each due time and keeps the due times an interval apart,
    so it keeps its interval on average, costs no wake-up of its own, and whatever it
    repaints reaches the screen with the frame it fired on. It fires at most once a frame.

    Without a window there are no frames, so it does not fire. A frame that comes an
    interval or more after the due time (a stalled message thread) fires once and starts
    the count afresh, as a JUCE timer does. Message thread only. */
class FrameAlignedTimer
{
public:
    explicit FrameAlignedTimer (juce::Component& componentInWindow);
    virtual ~FrameAlignedTimer() = default;

    virtual void timerCallback() = 0;

    /** Starts, or restarts, with the first tick an interval from now. */
    void startTimer (int intervalMilliseconds);
    void stopTimer();

    bool isTimerRunning() const noexcept    { return intervalMs > 0; }
    int getTimerInterval() const noexcept   { return intervalMs; }

    /** A frame at the given time of JUCE's high-resolution millisecond counter; fires when
        a tick is due. */
    void frameArrived (double nowMs);

    /** Frames come from a millisecond timer: one this close before a due time is on time. */
    static constexpr double frameToleranceMs = 1.0;

private:
    juce::Component& frameSource;
    juce::VBlankAttachment frames;
    int intervalMs = 0;
    double dueMs = 0.0;

    JUCE_DECLARE_NON_COPYABLE (FrameAlignedTimer)
};
