#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** A host transport the tests set by hand. */
class FakePlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override { return info; }

    void set (double bpm, double quarterNotes, bool playing)
    {
        info.setBpm (bpm);
        info.setPpqPosition (quarterNotes);
        info.setIsPlaying (playing);
    }

    /** Moves the position on by a block, as a playing host does. */
    void advance (int numSamples, double sampleRate)
    {
        if (info.getIsPlaying())
            info.setPpqPosition (*info.getPpqPosition() + numSamples * *info.getBpm() / (60.0 * sampleRate));
    }

    PositionInfo info;
};
