#include "DemoPhrase.h"

#include <vector>

namespace DemoPhrase
{
    namespace
    {
        struct Chord
        {
            double startSeconds;
            std::vector<int> midiNotes;
        };

        // Am - F - C - G, each strummed down over six strings, then a last Am.
        const Chord phrase[] {
            { 0.0, { 45, 52, 57, 60, 64 } },
            { 1.5, { 41, 48, 53, 57, 60, 65 } },
            { 3.0, { 48, 52, 55, 60, 64 } },
            { 4.5, { 43, 47, 50, 55, 59, 67 } },
            { 6.0, { 45, 52, 57, 60, 64, 69 } },
        };

        constexpr double strumSeconds = 0.018;
        constexpr double lengthSeconds = 8.5;

        double frequencyOf (int midiNote)    { return 440.0 * std::pow (2.0, (midiNote - 69) / 12.0); }

        /** A plucked string: a burst of noise circulating in a delay line of one period,
            damped by averaging neighbouring samples (Karplus-Strong). */
        void pluck (juce::AudioBuffer<float>& out, double sampleRate, int startSample, double frequency,
                    float pan, juce::Random& random)
        {
            const int period = juce::jmax (2, juce::roundToInt (sampleRate / frequency));
            std::vector<float> line ((size_t) period);

            for (auto& sample : line)
                sample = random.nextFloat() * 2.0f - 1.0f;

            // Six strings ringing together peak around -5 dBFS after the chorus.
            const float gain = 0.5f;
            const float leftGain = gain * std::sqrt (1.0f - pan), rightGain = gain * std::sqrt (pan);
            constexpr float damping = 0.996f;

            float previous = 0.0f;

            for (int i = startSample, n = 0; i < out.getNumSamples(); ++i, ++n)
            {
                auto& current = line[(size_t) (n % period)];
                const float next = damping * 0.5f * (current + previous);
                previous = current;
                current = next;

                out.addSample (0, i, next * leftGain);
                out.addSample (1, i, next * rightGain);
            }
        }
    }

    juce::AudioBuffer<float> synthesise (double sampleRate)
    {
        juce::AudioBuffer<float> out (2, (int) (lengthSeconds * sampleRate));
        out.clear();
        juce::Random random (20240501);

        for (const auto& chord : phrase)
        {
            const int strings = (int) chord.midiNotes.size();

            for (int s = 0; s < strings; ++s)
            {
                const int start = (int) ((chord.startSeconds + s * strumSeconds) * sampleRate);
                const float pan = 0.3f + 0.4f * (float) s / (float) juce::jmax (1, strings - 1);
                pluck (out, sampleRate, start, frequencyOf (chord.midiNotes[(size_t) s]), pan, random);
            }
        }

        return out;
    }
}
