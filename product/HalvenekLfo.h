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

    /** The waveform's value in [0, 1] at a phase in [0, 2 pi] and the random value held
        there; other indices give 0. Works on a double or on a vector of doubles, one LFO
        side per lane (written to a reference, as a vector return value would change the
        calling convention between instruction sets). */
    template <typename Value>
    static void waveformValue (int waveform, const Value& phase, const Value& randomValue, Value& value) noexcept
    {
        switch (waveform)
        {
            case triangle:
            {
                // Both halves are worked out and one chosen, so that lanes need no branch.
                const Value rising = ((phase - pi / 2) * (2 / pi) + 1) * 0.5;
                const Value falling = ((3 * pi / 2 - phase) * (2 / pi) + 1) * 0.5;
                value = (phase < pi ? rising : falling) + 1e-20;
                break;
            }

            case square:        value = phase < pi ? Value {} + 1.0 : Value {}; break;
            case sine:          sineValue (phase, value); break;
            case sawRising:     value = phase / twoPi; break;
            case sawFalling:    value = 1 - phase / twoPi; break;
            case random:        value = (randomValue + 1) * 0.5; break;
            default:            value = Value {}; break;
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

private:
    static double sineOf (double phase) noexcept   { return (std::sin (phase + 1e-20) + 1) * 0.5; }

    static void sineValue (double phase, double& value) noexcept   { value = sineOf (phase); }

    /** Lane by lane: there is no vector sine. */
    template <typename Lanes>
    static void sineValue (const Lanes& phases, Lanes& values) noexcept
    {
        for (size_t i = 0; i < sizeof (Lanes) / sizeof (double); ++i)
            values[i] = sineOf (phases[i]);
    }
};

/** A value at or below 0, and NaN, count as 0. */
inline double flooredAtZero (double x) noexcept    { return x > 0.0 ? x : 0.0; }
