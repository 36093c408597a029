#include "MidiEventQueue.h"

void MidiEventQueue::append (const juce::MidiBuffer& buffer)
{
    for (const auto metadata : buffer)
    {
        if (metadata.samplePosition < 0 || metadata.numBytes < 1 || metadata.numBytes > 3)
            continue;

        Event event;
        event.time = metadata.samplePosition;
        event.numBytes = metadata.numBytes;
        std::copy (metadata.data, metadata.data + metadata.numBytes, event.bytes.begin());
        insert (event);
    }
}

void MidiEventQueue::insert (const Event& event) noexcept
{
    if (numEvents == capacity)
        return;

    int position = numEvents;

    while (position > nextToHandle && events[(size_t) position - 1].time > event.time)
    {
        events[(size_t) position] = events[(size_t) position - 1];
        --position;
    }

    events[(size_t) position] = event;
    ++numEvents;
}

void MidiEventQueue::finishBlock (int blockLength) noexcept
{
    int kept = 0;

    for (int i = 0; i < numEvents; ++i)
    {
        auto event = events[(size_t) i];

        if (event.time >= blockLength)
        {
            event.time -= blockLength;
            events[(size_t) kept++] = event;
        }
    }

    numEvents = kept;
    nextToHandle = 0;
}
