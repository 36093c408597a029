#include "framework/plugin/InternalTransport.h"

#include <gtest/gtest.h>

TEST (InternalTransportTest, PlaysFromZeroAt120BeatsPerMinuteInFourFour)
{
    InternalTransport transport;
    transport.prepare (48000.0);

    const auto position = transport.getPosition();
    ASSERT_TRUE (position.hasValue());
    EXPECT_TRUE (position->getIsPlaying());
    EXPECT_FALSE (position->getIsRecording());
    EXPECT_EQ (*position->getBpm(), 120.0);
    EXPECT_EQ (position->getTimeSignature()->numerator, 4);
    EXPECT_EQ (position->getTimeSignature()->denominator, 4);
    EXPECT_EQ (*position->getPpqPosition(), 0.0);
    EXPECT_EQ (*position->getTimeInSamples(), 0);
}

TEST (InternalTransportTest, AdvancesByEachBlockAndFindsTheBar)
{
    InternalTransport transport (90.0);
    transport.prepare (44100.0);

    // 90 BPM: one quarter note lasts 2/3 s, one bar of 4/4 is 117600 samples.
    for (int block = 0; block < 250; ++block)
        transport.advance (512);

    transport.advance (0);
    transport.advance (-100);

    const auto position = transport.getPosition();
    const double expectedQuarters = 250 * 512 / 44100.0 * 1.5;
    EXPECT_EQ (*position->getTimeInSamples(), 250 * 512);
    EXPECT_NEAR (*position->getPpqPosition(), expectedQuarters, 1e-9);
    EXPECT_EQ (*position->getPpqPositionOfLastBarStart(), 4.0);
    EXPECT_EQ (*position->getBarCount(), 1);
    EXPECT_EQ (*position->getBpm(), 90.0);
}

TEST (InternalTransportTest, PrepareRewindsAndBadValuesFallBack)
{
    InternalTransport transport (-5.0);
    transport.prepare (0.0);
    transport.advance (44100);

    auto position = transport.getPosition();
    EXPECT_EQ (*position->getBpm(), 120.0);
    EXPECT_NEAR (*position->getPpqPosition(), 2.0, 1e-12);

    transport.prepare (44100.0);
    EXPECT_EQ (*transport.getPosition()->getPpqPosition(), 0.0);
}
