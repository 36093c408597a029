#pragma once

#include <cmath>
#include <cstdint>

/** One of Halvenek's low-frequency oscillators: its rate, its left phase and its right
    phase (shifted by the stereo offset) and the two random generators. The increment and
    the stereo offset are smoothed by the core together with its other parameters and
    passed in per sample; the core also smooths the output values of both LFOs together. */
class HalvenekLfo
{
public:
    static constexpr double pi = 3.141592653589793238;
    static constexpr double twoPi = 2.0 * pi;

    enum Waveform { triangle, square, sine, sawRising, sawFalling, random };

    /** A 32-bit xor-add generator whose output is the previous s1 scaled into [-1, 1). */
    class RandomGenerator
    {
    public:
        void seed (std::uint32_t first, std::uint32_t second) noexcept   { s0 = first; s1 = second; }

        double next() noexcept
        {
            const auto out = (std::int32_t) s1;
            s0 ^= s1;
            s1 = s0 + (std::uint32_t) out;
            return out * 4.656612874161595e-10;
        }

    private:
        std::uint32_t s0 = 0, s1 = 0;
    };

    /** The free rate in hertz for a normalised value: 0.01 Hz at 0, 0.5 Hz at 0.5, 20 Hz at 1. */
    static double freeRateForValue (double value) noexcept;

    /** The waveform's values in [0, 1] for a run of phases in [0, 2 pi] and the random
        values held at them; other indices give 0. The waveform is chosen once per run, so
        each loop is a plain formula. */
    static void waveformValues (int waveform, const double* phases, const double* randomValues,
                                double* values, int count) noexcept
    {
        auto fill = [values, count] (auto valueAt)
        {
            for (int i = 0; i < count; ++i)
                values[i] = valueAt (i);
        };

        switch (waveform)
        {
            case triangle:
                fill ([phases] (int i)
                {
                    // Both halves are worked out and one chosen, so the loop has no branch.
                    const double phase = phases[i];
                    const double rising = ((phase - pi / 2) * (2 / pi) + 1) * 0.5;
                    const double falling = ((3 * pi / 2 - phase) * (2 / pi) + 1) * 0.5;
                    return (phase < pi ? rising : falling) + 1e-20;
                });
                break;

            case square:        fill ([phases] (int i) { return phases[i] < pi ? 1.0 : 0.0; }); break;
            case sine:          fill ([phases] (int i) { return (std::sin (phases[i] + 1e-20) + 1) * 0.5; }); break;
            case sawRising:     fill ([phases] (int i) { return phases[i] / twoPi; }); break;
            case sawFalling:    fill ([phases] (int i) { return 1 - phases[i] / twoPi; }); break;
            case random:        fill ([randomValues] (int i) { return (randomValues[i] + 1) * 0.5; }); break;
            default:            fill ([] (int) { return 0.0; }); break;
        }
    }

    /** The rate in use: the free rate, or the tempo rate while tempo-synchronised. */
    void updateRate (double tempo) noexcept
    {
        rate = syncMode != 0 ? tempo * (1.0 / 60.0) * cyclesPerBeat : freeRate;
    }

    double getIncrementFor (double sampleRate) const noexcept   { return twoPi * rate / sampleRate + 1e-20; }

    /** Re-aligns both phases to a tempo clock's period start (ignored in free mode). */
    void alignTo (double division, double quarterNotes) noexcept;

    void resetPhases() noexcept                 { leftPhase = rightAccumulator = rightPhase = 0.0; }
    void seed (std::uint32_t s0, std::uint32_t s1) noexcept { leftRandom.seed (s0, s1); rightRandom.seed (s0, s1); }

    void advanceLeftPhase (double increment) noexcept
    {
        leftPhase += increment;

        if (leftPhase > twoPi)
        {
            leftPhase -= twoPi;

            if (syncMode == 0)
                leftRandomValue = leftRandom.next();
        }
    }

    void updateRightPhase (double stereoOffset) noexcept
    {
        rightPhase = rightAccumulator + stereoOffset;

        if (rightPhase > twoPi)
        {
            rightRandomValue = lastRightRandomValue = rightRandom.next();
            rightAccumulator -= twoPi;
        }

        if (rightPhase > twoPi)
            rightPhase -= twoPi;
        else if (rightPhase < 0.0)
            rightPhase += twoPi;
    }

    // Parameters.
    double freeRate = 0.0, cyclesPerBeat = 0.0, rate = 0.0;
    int syncMode = 0, waveform = triangle;

    // Running state.
    double leftPhase = 0.0, rightAccumulator = 0.0, rightPhase = 0.0;
    RandomGenerator leftRandom, rightRandom;
    double leftRandomValue = 0.0, rightRandomValue = 0.0, lastRightRandomValue = 0.0;
};

/** A value at or below 0, and NaN, count as 0. */
inline double flooredAtZero (double x) noexcept    { return x > 0.0 ? x : 0.0; }
