#include "framework/plugin/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace
{
    struct Change
    {
        int sample;
        int state;
        bool operator== (const Change& other) const { return sample == other.sample && state == other.state; }
    };

    std::vector<Change> runClock (Clock& clock, int numSamples)
    {
        std::vector<Change> changes;

        for (int i = 0; i < numSamples; ++i)
            if (clock.tick())
                changes.push_back ({ i, clock.getState() });

        return changes;
    }

    // 120 BPM at 44100 Hz: 22050 samples per quarter note.
    void setUp (Clock& clock, double division)
    {
        clock.setTempo (120.0);
        clock.setDivision (division);
    }
}

TEST (Clock, StartEntersPeriodStartOnFirstTickThenFollowsPeriodHalves)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (0.0);

    const auto changes = runClock (clock, 50000);
    const std::vector<Change> expected { { 0, 0 }, { 11025, 1 }, { 22050, 0 }, { 33075, 1 }, { 44100, 0 } };
    EXPECT_EQ (changes, expected);
    EXPECT_TRUE (clock.isAtPeriodStart());
}

TEST (Clock, DivisionSetsPeriodLength)
{
    Clock clock;
    setUp (clock, 4.0);   // sixteenth notes: 5512.5 samples
    clock.start (0.0);

    const auto changes = runClock (clock, 11100);
    ASSERT_EQ (changes.size(), 5u);
    EXPECT_EQ (changes[2].sample, 5513);
    EXPECT_EQ (changes[2].state, 0);
    EXPECT_EQ (changes[4].sample, 11025);
}

TEST (Clock, BoundaryWithinHalfAPercentCountsAsReached)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (1.0 - 50.0 / 22050.0);   // 50 samples before a boundary, within 0.005 of a period (110 samples)

    const auto changes = runClock (clock, 12000);
    ASSERT_EQ (changes.size(), 2u);
    EXPECT_EQ (changes[0].sample, 0);
    EXPECT_EQ (changes[1].state, 1);
    EXPECT_EQ (changes[1].sample, 50 + 11025);   // the middle of the next period
}

TEST (Clock, StartingInSecondHalfGoesToStateOneAtOnce)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (0.75);

    const auto changes = runClock (clock, 6000);
    const std::vector<Change> expected { { 0, 0 }, { 1, 1 }, { 5513, 0 } };
    EXPECT_EQ (changes, expected);
}

TEST (Clock, NoTempoOrNoDivisionOrStoppedGivesNoEdges)
{
    Clock noTempo;
    setUp (noTempo, 1.0);
    noTempo.setTempo (0.0);
    noTempo.start (0.0);
    EXPECT_TRUE (runClock (noTempo, 1000).empty());
    EXPECT_EQ (noTempo.getPosition(), 0.0);

    Clock noDivision;
    setUp (noDivision, 0.0);
    noDivision.start (0.0);
    EXPECT_TRUE (runClock (noDivision, 1000).empty());

    Clock stopped;
    setUp (stopped, 1.0);
    EXPECT_TRUE (runClock (stopped, 1000).empty());

    // A tempo arriving later starts the periods.
    noTempo.setTempo (120.0);
    EXPECT_EQ (runClock (noTempo, 10).size(), 1u);
}

TEST (Clock, NegativePositionWaitsForZero)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (-100.0 / 22050.0);

    const auto changes = runClock (clock, 200);
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_NEAR (changes[0].sample, 100, 1);
    EXPECT_EQ (changes[0].state, 0);
}

TEST (Clock, StopRewindsAndRestartBeginsNewPeriod)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (0.0);
    runClock (clock, 3000);

    clock.stop();
    EXPECT_FALSE (clock.isRunning());
    EXPECT_EQ (clock.getPosition(), 0.0);
    EXPECT_EQ (clock.getState(), -1);
    EXPECT_FALSE (clock.tick());

    clock.start (2.5);
    const auto changes = runClock (clock, 12000);
    ASSERT_FALSE (changes.empty());
    EXPECT_EQ (changes[0].sample, 0);
    EXPECT_EQ (changes[0].state, 0);
}

TEST (Clock, ChangingDivisionWhileRunningMovesTheNextEdge)
{
    Clock clock;
    setUp (clock, 1.0);
    clock.start (0.0);
    runClock (clock, 100);

    clock.setDivision (2.0);   // period of half a quarter note: middle at 5512.5 samples
    const auto changes = runClock (clock, 6000);
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_EQ (changes[0].state, 1);
    EXPECT_NEAR (changes[0].sample + 100, 5513, 1);
}

TEST (Clock, SkippingQuietSamplesKeepsEveryEdgeOfTickingOneByOne)
{
    for (const double division : { 1.0, 4.0, 3.0, 0.125 })
    {
        Clock ticked, skipped;
        setUp (ticked, division);
        setUp (skipped, division);
        ticked.start (0.37);
        skipped.start (0.37);

        const auto expected = runClock (ticked, 200000);
        std::vector<Change> changes;

        for (int i = 0; i < 200000;)
        {
            const int quiet = (int) std::min<std::int64_t> (skipped.getQuietSamples(), 200000 - i);

            if (quiet > 0)
            {
                skipped.skipQuietSamples (quiet);
                i += quiet;
            }
            else if (skipped.tick())
                changes.push_back ({ i++, skipped.getState() });
            else
                ++i;
        }

        ASSERT_GT (expected.size(), 2u) << division;
        EXPECT_EQ (changes, expected) << division;
        EXPECT_EQ (skipped.getPosition(), ticked.getPosition()) << division;
    }
}

TEST (Clock, TenMinutesOfPlayKeepTheirPositionAndEdgesExact)
{
    // Summing the position sample by sample would drift; counted from its start it stays
    // where the host would put it, and every edge of the last period falls on its sample.
    Clock clock;
    setUp (clock, 4.0);                 // 120 BPM at 44.1 kHz: a period every 5512.5 samples
    clock.start (0.0);

    const int numSamples = 44100 * 600;
    const auto changes = runClock (clock, numSamples);

    EXPECT_NEAR (clock.getPosition(), numSamples / 22050.0, 1e-9);
    ASSERT_FALSE (changes.empty());
    EXPECT_EQ (changes.back().sample, 26460000 - 2756);   // the last period's middle, before its end at 10 min
    EXPECT_EQ (changes.size(), 2u * 4800u);
}

TEST (Clock, StoppedClockIsQuietForEverAndSkippingLeavesItAtZero)
{
    Clock clock;
    setUp (clock, 1.0);
    EXPECT_EQ (clock.getQuietSamples(), std::numeric_limits<std::int64_t>::max());

    clock.skipQuietSamples (1000);
    EXPECT_EQ (clock.getPosition(), 0.0);

    // A started clock must tick its first sample: it enters the period start there.
    clock.start (0.0);
    EXPECT_EQ (clock.getQuietSamples(), 0);
}
