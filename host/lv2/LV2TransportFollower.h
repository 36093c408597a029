#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>
#include <optional>

/** The host's transport as an LV2 host reports it. A time:Position object arrives only when
    something changes (Ardour sends one when the transport starts, stops or jumps and when
    the tempo or meter changes), so the position is kept between messages and moved on by
    every block while the transport rolls, as a VST host's time info would be.

    LV2 counts positions and tempo in beats of the meter's beat unit; the play head answers
    in quarter notes, as VST hosts do.
    Values that are not finite or make no sense (a tempo of 0, a bar of -3 beats) are
    ignored, so a hostile message never turns the position into NaN.
*/
class LV2TransportFollower
{
public:
    /** The fields of one time:Position object; those the host left out stay empty. */
    struct Message
    {
        std::optional<double> bar, barBeat, beat, beatsPerBar, beatUnit, beatsPerMinute, speed;
        std::optional<std::int64_t> frame;
    };

    explicit LV2TransportFollower (double sampleRate);

    /** A message met at a sample offset in the block about to be processed: it describes
        the transport at that offset. */
    void take (const Message&, int offsetInBlock);

    /** After a block: a rolling transport moves on by the block's length. */
    void advance (int numSamples);

    /** Nothing until the first message. */
    juce::Optional<juce::AudioPlayHead::PositionInfo> getPosition() const;

private:
    struct Place
    {
        double beatsFromStart;
        std::int64_t bar;
        double barBeat;
        std::int64_t frame;
    };

    /** Where the transport is at the start of the coming block. */
    Place getPlace() const;

    const double sampleRate;
    bool known = false;
    double beatsPerMinute = 120.0, beatsPerBar = 4.0, beatUnit = 4.0, speed = 0.0;

    // Where the last message put the transport; the position is worked out from there and
    // the samples played since, so that rounding does not add up over a long song.
    double beatsFromStart = 0.0;    // the song position
    std::int64_t bar = 0;           // the bar and the beat in it, kept apart from the song
    double barBeat = 0.0;           // position, which a meter change makes differ
    std::int64_t frame = 0;
    std::int64_t samplesSinceMessage = 0;
};
