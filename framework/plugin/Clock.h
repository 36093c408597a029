#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <limits>

/** A tempo clock that follows the host's musical position one sample at a time.

    Each period (1 / division quarter notes) has two states: 0 from the period boundary,
    1 from the point that divides the period by its duty. A tick answers whether the state
    changed on that sample, so the processor can cut its block there and re-align a
    tempo-locked LFO at every period start.

    Position, tempo and sample rate belong to the audio thread. The division is also set
    by the parameter listener, which may run on another thread, so it is atomic.
*/
class Clock
{
public:
    static constexpr double defaultSampleRate = 44100.0;

    double getSampleRate() const noexcept   { return sampleRate; }
    double getTempo() const noexcept        { return tempo; }
    double getPosition() const noexcept     { return anchorPosition + (double) ticksSinceAnchor * quarterNotesPerSample; }
    double getDivision() const noexcept     { return division.load(); }
    int getState() const noexcept           { return state; }
    bool isRunning() const noexcept         { return running; }

    /** Each setter marks the clock for recalculation. */
    void setSampleRate (double newSampleRate);
    void setTempo (double beatsPerMinute);
    void setPosition (double quarterNotes);
    void setDivision (double periodsPerQuarterNote);

    /** Starts a stopped clock at a position; the next tick enters state 0. */
    void start (double quarterNotes);

    /** Stops a running clock and rewinds it to 0. */
    void stop();

    /** Advances one sample; true when the state changed on this sample. */
    bool tick() noexcept
    {
        if (! running)
            return false;

        // Most samples neither recalculate nor reach an edge.
        if (countdown > 0 && ! dirty.load (std::memory_order_acquire))
        {
            --countdown;
            ++ticksSinceAnchor;
            return false;
        }

        return tickAtEdgeOrChange();
    }

    /** How many of the next samples are sure to tick without a change of state (no edge,
        nothing to recalculate): none when the next tick must be made, any number when
        the clock is stopped. */
    std::int64_t getQuietSamples() const noexcept
    {
        if (! running)
            return std::numeric_limits<std::int64_t>::max();

        return dirty.load (std::memory_order_acquire) ? 0 : std::max<std::int64_t> (countdown, 0);
    }

    /** Advances over quiet samples at once, as that many ticks would; numSamples must not
        exceed getQuietSamples(). */
    void skipQuietSamples (int numSamples) noexcept
    {
        if (! running)
            return;

        countdown -= numSamples;
        ticksSinceAnchor += numSamples;
    }

    bool isAtPeriodStart() const noexcept   { return state == 0; }

private:
    bool tickAtEdgeOrChange() noexcept;
    void recalculate() noexcept;
    void setAnchor (double quarterNotes) noexcept   { anchorPosition = quarterNotes; ticksSinceAnchor = 0; }

    double sampleRate = defaultSampleRate;
    double tempo = 0.0;
    // The position is counted in samples since a known position, so that skipping samples
    // gives exactly what ticking them does, and rounding does not pile up over a long play.
    double anchorPosition = 0.0;
    std::int64_t ticksSinceAnchor = 0;
    std::atomic<double> division { 4.0 };
    double quarterNotesPerSample = 0.0;
    static constexpr double duty = 0.5;

    std::int64_t countdown = 0;
    int state = -1, nextState = -1;
    bool running = false;
    std::atomic<bool> dirty { true };
};
