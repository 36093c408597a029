#include "host/lv2/LV2TransportFollower.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
    constexpr double rate = 48000.0;

    LV2TransportFollower::Message ardourStart (double bar, double barBeat)
    {
        LV2TransportFollower::Message message;
        message.bar = bar;
        message.barBeat = barBeat;
        message.beatsPerBar = 4.0;
        message.beatUnit = 4.0;
        message.beatsPerMinute = 120.0;
        message.speed = 1.0;
        return message;
    }
}

TEST (LV2TransportFollowerTest, KeepsTheBarBetweenMessagesAndRollsOnWithEveryBlock)
{
    LV2TransportFollower transport (rate);
    EXPECT_FALSE (transport.getPosition().hasValue());

    transport.take (ardourStart (2.0, 1.5), 0);
    auto position = *transport.getPosition();
    EXPECT_DOUBLE_EQ (*position.getPpqPosition(), 9.5);
    EXPECT_DOUBLE_EQ (*position.getPpqPositionOfLastBarStart(), 8.0);
    EXPECT_EQ (*position.getBarCount(), 2);
    EXPECT_TRUE (position.getIsPlaying());

    // Six blocks of a quarter second each and no message: half a beat each at 120 BPM.
    for (int block = 0; block < 6; ++block)
        transport.advance (12000);

    position = *transport.getPosition();
    EXPECT_NEAR (*position.getPpqPosition(), 12.5, 1.0e-9);
    EXPECT_NEAR (*position.getPpqPositionOfLastBarStart(), 12.0, 1.0e-9);
    EXPECT_EQ (*position.getBarCount(), 3);

    // Stopped: the place holds.
    auto stop = ardourStart (3.0, 0.5);
    stop.speed = 0.0;
    transport.take (stop, 0);
    transport.advance (48000);
    EXPECT_DOUBLE_EQ (*transport.getPosition()->getPpqPosition(), 12.5);
    EXPECT_FALSE (transport.getPosition()->getIsPlaying());
}

TEST (LV2TransportFollowerTest, ReadsBeatsInTheMetersUnitAndTempoAloneKeepsThePlace)
{
    LV2TransportFollower transport (rate);

    // 6/8 at 120 eighths per minute: bar 1, beat 3 is 9 eighths, 4.5 quarter notes.
    auto message = ardourStart (1.0, 3.0);
    message.beatsPerBar = 6.0;
    message.beatUnit = 8.0;
    transport.take (message, 0);
    EXPECT_DOUBLE_EQ (*transport.getPosition()->getPpqPosition(), 4.5);
    EXPECT_DOUBLE_EQ (*transport.getPosition()->getBpm(), 60.0);
    EXPECT_EQ (transport.getPosition()->getTimeSignature()->numerator, 6);

    // A host that sends time:beat gives the song position; its bar still counts for the bar start.
    LV2TransportFollower withBeat (rate);
    auto both = ardourStart (1.0, 2.0);
    both.beat = 7.0;
    withBeat.take (both, 0);
    EXPECT_DOUBLE_EQ (*withBeat.getPosition()->getPpqPosition(), 7.0);
    EXPECT_DOUBLE_EQ (*withBeat.getPosition()->getPpqPositionOfLastBarStart(), 5.0);

    // A tempo change alone: the transport goes on from where it stands.
    LV2TransportFollower tempo (rate);
    tempo.take (ardourStart (0.0, 0.0), 0);
    tempo.advance (48000);
    LV2TransportFollower::Message faster;
    faster.beatsPerMinute = 240.0;
    tempo.take (faster, 0);
    EXPECT_DOUBLE_EQ (*tempo.getPosition()->getPpqPosition(), 2.0);
    tempo.advance (48000);
    EXPECT_DOUBLE_EQ (*tempo.getPosition()->getPpqPosition(), 6.0);
}

TEST (LV2TransportFollowerTest, APlaceInsideTheBlockAndHostileValues)
{
    LV2TransportFollower transport (rate);

    // The message describes sample 24000 of the block; the block starts a beat earlier.
    transport.take (ardourStart (1.0, 0.0), 24000);
    EXPECT_NEAR (*transport.getPosition()->getPpqPosition(), 3.0, 1.0e-9);

    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const auto inf = std::numeric_limits<double>::infinity();
    LV2TransportFollower::Message hostile;
    hostile.bar = nan;
    hostile.barBeat = inf;
    hostile.beat = -inf;
    hostile.beatsPerBar = 0.0;
    hostile.beatUnit = nan;
    hostile.beatsPerMinute = -120.0;
    hostile.speed = inf;
    transport.take (hostile, -5);

    const auto position = *transport.getPosition();
    EXPECT_NEAR (*position.getPpqPosition(), 3.0, 1.0e-9);
    EXPECT_DOUBLE_EQ (*position.getBpm(), 120.0);
    transport.advance (48000);
    EXPECT_TRUE (std::isfinite (*transport.getPosition()->getPpqPosition()));
}
