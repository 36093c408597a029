#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

/** The demo the renderer plays when it is given no file: a few seconds of plucked guitar-like
    chords, synthesised here so that the tool works on a machine without any audio files. */
namespace DemoPhrase
{
    /** The phrase as a stereo buffer at the given sample rate; the same every time. */
    juce::AudioBuffer<float> synthesise (double sampleRate);
}
