#include "../MessageLoop.h"
#include "EditorTestSupport.h"

#include "framework/editor/FrameAlignedTimer.h"

namespace
{
    struct CountingTimer : FrameAlignedTimer
    {
        using FrameAlignedTimer::FrameAlignedTimer;
        void timerCallback() override   { ++ticks; }
        int ticks = 0;
    };

    /** Feeds a started timer a second of frames at the given period; answers the times of
        the frames it fired on, relative to its start. */
    std::vector<double> frameTimesOfTicks (CountingTimer& timer, double framePeriodMs, double startMs, double fromMs = 0.0)
    {
        std::vector<double> times;

        for (double time = fromMs + framePeriodMs; time <= fromMs + 1000.0; time += framePeriodMs)
        {
            const int before = timer.ticks;
            timer.frameArrived (startMs + time);

            if (timer.ticks != before)
                times.push_back (time);
        }

        return times;
    }
}

TEST (FrameAlignedTimer, FiresOnTheFirstFrameOfEachDueTimeKeepingItsIntervalOnAverage)
{
    juce::Component component;

    // 100 Hz (a display that reports no rate), 60 Hz as JUCE times it, and a fast display.
    for (const double framePeriod : { 10.0, 16.0, 1000.0 / 144.0 })
    {
        CountingTimer timer (component);
        timer.startTimer (25);
        const double start = juce::Time::getMillisecondCounterHiRes();
        const auto times = frameTimesOfTicks (timer, framePeriod, start);

        EXPECT_NEAR ((double) times.size(), 40.0, 1.0) << framePeriod;
        ASSERT_FALSE (times.empty());
        EXPECT_GE (times.front(), 25.0 - FrameAlignedTimer::frameToleranceMs);
        EXPECT_LT (times.front(), 25.0 + framePeriod);

        for (size_t i = 1; i < times.size(); ++i)
        {
            // Each tick is on the first frame at or after its due time.
            const double due = 25.0 * (double) (i + 1);
            ASSERT_GE (times[i], due - FrameAlignedTimer::frameToleranceMs) << framePeriod << " " << i;
            ASSERT_LT (times[i], due + framePeriod) << framePeriod << " " << i;
        }
    }
}

TEST (FrameAlignedTimer, SlowFramesOrAStallFireOnceAndNeverCatchUpInABurst)
{
    juce::Component component;
    CountingTimer timer (component);
    timer.startTimer (25);
    const double start = juce::Time::getMillisecondCounterHiRes();

    // A display slower than the interval: every frame fires, once.
    EXPECT_EQ (frameTimesOfTicks (timer, 40.0, start).size(), 25u);

    // Half a second without frames: the next one fires, then the count starts afresh.
    timer.frameArrived (start + 1500.0);
    EXPECT_EQ (timer.ticks, 26);
    const auto times = frameTimesOfTicks (timer, 10.0, start, 1500.0);
    ASSERT_FALSE (times.empty());
    EXPECT_EQ (times.front(), 1530.0);
    EXPECT_NEAR ((double) times.size(), 40.0, 1.0);
}

TEST (FrameAlignedTimer, FiresFromTheFramesOfItsComponentsWindowOnlyWhileRunning)
{
    EditorTesting::ignoreXErrorsLikeAnApplication();
    juce::Component window, component;
    window.setBounds (0, 0, 200, 100);
    window.addAndMakeVisible (component);
    CountingTimer timer (component);
    timer.startTimer (25);
    EXPECT_TRUE (timer.isTimerRunning());
    EXPECT_EQ (timer.getTimerInterval(), 25);

    // No window, no frames.
    MessageLoop::runFor (100);
    EXPECT_EQ (timer.ticks, 0);

    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    window.setVisible (true);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return timer.ticks >= 3; }));

    // A new window for the same component: its frames take over.
    window.removeFromDesktop();
    window.addToDesktop (juce::ComponentPeer::windowIsTemporary);
    const int ticksBefore = timer.ticks;
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return timer.ticks >= ticksBefore + 3; }));

    timer.stopTimer();
    EXPECT_FALSE (timer.isTimerRunning());
    const int ticksWhenStopped = timer.ticks;
    MessageLoop::runFor (100);
    EXPECT_EQ (timer.ticks, ticksWhenStopped);
    timer.frameArrived (juce::Time::getMillisecondCounterHiRes() + 1000.0);
    EXPECT_EQ (timer.ticks, ticksWhenStopped);
}
