#include "InternalTransport.h"

#include <cmath>

InternalTransport::InternalTransport (double beatsPerMinute) noexcept
    : tempo (beatsPerMinute > 0.0 ? beatsPerMinute : defaultTempo)
{
}

void InternalTransport::prepare (double newSampleRate) noexcept
{
    sampleRate = newSampleRate > 0.0 ? newSampleRate : 44100.0;
    samplePosition = 0;
}

void InternalTransport::advance (int numSamples) noexcept
{
    if (numSamples > 0)
        samplePosition += numSamples;
}

juce::Optional<juce::AudioPlayHead::PositionInfo> InternalTransport::getPosition() const
{
    constexpr int beatsPerBar = 4;

    const double seconds = (double) samplePosition / sampleRate;
    const double quarterNotes = seconds * tempo / 60.0;
    const auto bars = (juce::int64) std::floor (quarterNotes / beatsPerBar);

    PositionInfo info;
    info.setBpm (tempo);
    info.setTimeSignature (TimeSignature { beatsPerBar, 4 });
    info.setTimeInSamples (samplePosition);
    info.setTimeInSeconds (seconds);
    info.setPpqPosition (quarterNotes);
    info.setPpqPositionOfLastBarStart ((double) (bars * beatsPerBar));
    info.setBarCount (bars);
    info.setIsPlaying (true);
    info.setIsRecording (false);
    info.setIsLooping (false);
    return info;
}
