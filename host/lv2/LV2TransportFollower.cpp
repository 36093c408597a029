#include "LV2TransportFollower.h"

#include <cmath>

namespace
{
    constexpr double maxBeats = 1.0e12;     // far beyond any song; keeps bar numbers in range

    std::optional<double> finiteAtLeast (const std::optional<double>& value, double minimum)
    {
        if (value.has_value() && std::isfinite (*value) && *value >= minimum && *value <= maxBeats)
            return value;

        return std::nullopt;
    }
}

LV2TransportFollower::LV2TransportFollower (double rate)
    : sampleRate (rate > 0.0 && std::isfinite (rate) ? rate : 44100.0)
{
}

void LV2TransportFollower::take (const Message& message, int offsetInBlock)
{
    // Fields the message leaves out keep their values from where the transport is now.
    const auto now = getPlace();
    beatsFromStart = now.beatsFromStart;
    bar = now.bar;
    barBeat = now.barBeat;
    frame = now.frame;
    samplesSinceMessage = 0;

    if (const auto tempo = finiteAtLeast (message.beatsPerMinute, 0.0); tempo && *tempo > 0.0)
        beatsPerMinute = *tempo;

    if (const auto perBar = finiteAtLeast (message.beatsPerBar, 0.0); perBar && *perBar > 0.0)
        beatsPerBar = *perBar;

    if (const auto unit = finiteAtLeast (message.beatUnit, 1.0))
        beatUnit = *unit;

    if (const auto newSpeed = finiteAtLeast (message.speed, -maxBeats))
        speed = *newSpeed;

    const auto newBar = finiteAtLeast (message.bar, -maxBeats);
    const auto newBarBeat = finiteAtLeast (message.barBeat, 0.0);
    const auto newBeat = finiteAtLeast (message.beat, -maxBeats);
    const bool placed = (newBar && newBarBeat) || newBeat || message.frame.has_value();

    if (newBar && newBarBeat)
    {
        bar = (std::int64_t) std::floor (*newBar);
        barBeat = *newBarBeat;
        beatsFromStart = newBeat ? *newBeat : (double) bar * beatsPerBar + barBeat;
    }
    else if (newBeat)
    {
        beatsFromStart = *newBeat;
        bar = (std::int64_t) std::floor (beatsFromStart / beatsPerBar);
        barBeat = beatsFromStart - (double) bar * beatsPerBar;
    }

    if (message.frame.has_value())
        frame = *message.frame;

    // A place given for a sample inside the block lies that far ahead of the block's start.
    if (placed)
        samplesSinceMessage = -juce::jmax (0, offsetInBlock);

    known = true;
}

void LV2TransportFollower::advance (int numSamples)
{
    if (known && speed != 0.0 && numSamples > 0)
        samplesSinceMessage += numSamples;
}

LV2TransportFollower::Place LV2TransportFollower::getPlace() const
{
    const auto moved = (double) samplesSinceMessage * beatsPerMinute / 60.0 / sampleRate * speed;
    auto beatInBar = barBeat + moved;
    const auto barsMoved = std::floor (beatInBar / beatsPerBar);
    beatInBar -= barsMoved * beatsPerBar;

    return { beatsFromStart + moved,
             bar + (std::int64_t) barsMoved,
             beatInBar,
             frame + (std::int64_t) std::llround ((double) samplesSinceMessage * speed) };
}

juce::Optional<juce::AudioPlayHead::PositionInfo> LV2TransportFollower::getPosition() const
{
    if (! known)
        return {};

    const auto place = getPlace();
    const auto quarterNotesPerBeat = 4.0 / beatUnit;

    juce::AudioPlayHead::PositionInfo info;
    info.setBpm (beatsPerMinute * quarterNotesPerBeat);
    info.setTimeSignature (juce::AudioPlayHead::TimeSignature { juce::jmax (1, juce::roundToInt (beatsPerBar)),
                                                                juce::jmax (1, juce::roundToInt (beatUnit)) });
    info.setPpqPosition (place.beatsFromStart * quarterNotesPerBeat);
    info.setPpqPositionOfLastBarStart ((place.beatsFromStart - place.barBeat) * quarterNotesPerBeat);
    info.setBarCount (place.bar);
    info.setTimeInSamples (place.frame);
    info.setTimeInSeconds ((double) place.frame / sampleRate);
    info.setIsPlaying (speed != 0.0);
    return info;
}
