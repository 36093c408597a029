#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <array>

/** The processor's pending MIDI events in time order, with room for a fixed number of
    short messages so that the audio thread never allocates.

    Events of one block are appended; those timed at or after the block's end stay for the
    next block, their times reduced by the block length. Events with a negative time, system
    exclusive messages and events beyond the capacity are dropped.
*/
class MidiEventQueue
{
public:
    static constexpr int capacity = 4096;

    struct Event
    {
        int time = 0;
        int numBytes = 0;
        std::array<juce::uint8, 3> bytes {};
    };

    void clear() noexcept                  { numEvents = 0; nextToHandle = 0; }
    int size() const noexcept              { return numEvents; }

    /** Adds a block's events behind any queued ones of the same time. */
    void append (const juce::MidiBuffer& events);

    /** True when the next unhandled event is timed at this sample. */
    bool isEventDueAt (int sample) const noexcept
    {
        return nextToHandle < numEvents && events[(size_t) nextToHandle].time == sample;
    }

    /** The time of the next unhandled event, or the given limit when there is none before it. */
    int getNextEventTime (int limit) const noexcept
    {
        return nextToHandle < numEvents ? std::min (limit, events[(size_t) nextToHandle].time) : limit;
    }

    /** The next unhandled event; only valid after isEventDueAt answered true. */
    const Event& takeNext() noexcept        { return events[(size_t) nextToHandle++]; }

    /** Removes the events of a finished block and moves the later ones into the next. */
    void finishBlock (int blockLength) noexcept;

private:
    void insert (const Event& event) noexcept;

    std::array<Event, capacity> events;
    int numEvents = 0, nextToHandle = 0;
};
