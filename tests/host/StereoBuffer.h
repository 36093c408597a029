#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

/** Two channels of samples, and the test signals the host tests feed the plug-in. */
struct StereoBuffer
{
    explicit StereoBuffer (int numSamples = 0) : left ((size_t) numSamples), right ((size_t) numSamples) {}

    int size() const noexcept                   { return (int) left.size(); }
    std::vector<float>& channel (int c)         { return c == 0 ? left : right; }

    /** Two detuned tones with a little deterministic noise, different on each side. */
    static StereoBuffer testSignal (int numSamples, double sampleRate)
    {
        StereoBuffer signal (numSamples);
        std::uint32_t noise = 12345;

        for (int i = 0; i < numSamples; ++i)
        {
            noise = noise * 1664525u + 1013904223u;
            const auto n = ((double) (noise >> 8) / (double) (1u << 24) - 0.5) * 0.05;
            const auto t = i / sampleRate;
            signal.left[(size_t) i]  = (float) (0.4 * std::sin (2.0 * M_PI * 220.0 * t) + 0.2 * std::sin (2.0 * M_PI * 1375.0 * t) + n);
            signal.right[(size_t) i] = (float) (0.4 * std::sin (2.0 * M_PI * 330.0 * t) + 0.2 * std::sin (2.0 * M_PI * 990.0 * t) - n);
        }

        return signal;
    }

    std::vector<float> left, right;
};
