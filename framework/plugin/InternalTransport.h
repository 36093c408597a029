#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** A transport for when no host supplies one: playing in 4/4 at a fixed tempo from position 0
    and moved on by every processed block. The Standalone app and the offline renderer use
    it, so that tempo-synchronised LFOs run as they do in a DAW. Read and advanced on the
    audio thread only. */
class InternalTransport : public juce::AudioPlayHead
{
public:
    static constexpr double defaultTempo = 120.0;

    explicit InternalTransport (double beatsPerMinute = defaultTempo) noexcept;

    /** Rewinds to position 0 at the given sample rate. */
    void prepare (double sampleRate) noexcept;

    /** Moves on by a processed block. */
    void advance (int numSamples) noexcept;

    juce::Optional<PositionInfo> getPosition() const override;

private:
    const double tempo;
    double sampleRate = 44100.0;
    juce::int64 samplePosition = 0;
};
