#include "Clock.h"

#include <cmath>

void Clock::setSampleRate (double newSampleRate)
{
    sampleRate = newSampleRate;
    dirty = true;
}

void Clock::setTempo (double beatsPerMinute)
{
    tempo = beatsPerMinute;
    dirty = true;
}

void Clock::setPosition (double quarterNotes)
{
    setAnchor (quarterNotes);
    dirty = true;
}

void Clock::setDivision (double periodsPerQuarterNote)
{
    division = periodsPerQuarterNote;
    dirty = true;
}

void Clock::start (double quarterNotes)
{
    if (running)
        return;

    running = true;
    dirty = true;
    state = -1;
    setAnchor (quarterNotes);
}

void Clock::stop()
{
    if (! running)
        return;

    running = false;
    dirty = true;
    state = -1;
    setAnchor (0.0);
}

void Clock::recalculate() noexcept
{
    // A new rate counts from where the clock is now.
    const double position = getPosition();
    setAnchor (position);

    const double samplesPerQuarterNote = sampleRate * 60.0 / tempo;
    quarterNotesPerSample = 1.0 / samplesPerQuarterNote;

    const double period = 1.0 / division.load();
    const double periodEnd = std::ceil (position / period) * period;
    const double middle = periodEnd - period + duty * period;
    const double tolerance = 0.005 * period;

    // Samples until a position; boundaries far beyond any block saturate harmlessly. A
    // boundary that falls on a sample, give or take the rounding of the position, is
    // reached on that sample.
    auto samplesUntil = [samplesPerQuarterNote] (double quarterNotes)
    {
        return (std::int64_t) std::fmin (std::ceil (quarterNotes * samplesPerQuarterNote - 1.0e-6), 4.0e18);
    };

    if (position < 0.0)
    {
        state = -1;
        countdown = -1;
        nextState = 0;
    }
    else if (state == -1)
    {
        nextState = 0;
        countdown = 0;
    }
    else if (position > middle)
    {
        if (state == 0)
        {
            nextState = 1;
            countdown = position > periodEnd - tolerance ? samplesUntil (duty * period + periodEnd - position) : 0;
        }
        else
        {
            nextState = 0;
            countdown = samplesUntil (periodEnd - position);
        }
    }
    else
    {
        if (state == 0)
        {
            nextState = 1;
            countdown = samplesUntil (middle - position);
        }
        else
        {
            nextState = 0;
            countdown = position > periodEnd - period + tolerance ? samplesUntil (periodEnd - position) : 0;
        }
    }
}

bool Clock::tickAtEdgeOrChange() noexcept
{
    if (dirty.exchange (false))
    {
        // Without a tempo or a division there are no periods; wait until both exist.
        if (! (tempo > 0.0 && division.load() > 0.0 && std::isfinite (tempo) && sampleRate > 0.0))
        {
            dirty = true;
            return false;
        }

        recalculate();
    }

    bool changed = false;

    if (countdown == 0 && (state == -1 || state != nextState))
    {
        state = nextState;
        changed = true;
    }

    --countdown;
    ++ticksSinceAnchor;

    if (countdown < 0)
        dirty = true;

    return changed;
}
