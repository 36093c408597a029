#include "framework/plugin/MidiEventQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    std::vector<std::pair<int, int>> takeBlock (MidiEventQueue& queue, int blockLength)
    {
        std::vector<std::pair<int, int>> taken;   // (time, second byte)

        for (int sample = 0; sample < blockLength; ++sample)
            while (queue.isEventDueAt (sample))
            {
                const auto& event = queue.takeNext();
                taken.emplace_back (event.time, event.bytes[1]);
            }

        queue.finishBlock (blockLength);
        return taken;
    }
}

TEST (MidiEventQueue, LateEventsMoveIntoTheNextBlockAheadOfItsOwn)
{
    MidiEventQueue queue;
    juce::MidiBuffer first;
    first.addEvent (juce::MidiMessage::controllerEvent (1, 7, 1), 10);
    first.addEvent (juce::MidiMessage::controllerEvent (1, 7, 2), 64);    // at the block length
    first.addEvent (juce::MidiMessage::controllerEvent (1, 7, 3), 100);

    queue.append (first);
    EXPECT_EQ (takeBlock (queue, 64), (std::vector<std::pair<int, int>> { { 10, 7 } }));
    EXPECT_EQ (queue.size(), 2);

    juce::MidiBuffer second;
    second.addEvent (juce::MidiMessage::programChange (1, 5), 0);
    second.addEvent (juce::MidiMessage::programChange (1, 6), 36);
    queue.append (second);

    const auto taken = takeBlock (queue, 64);
    ASSERT_EQ (taken.size(), 4u);
    EXPECT_EQ (taken[0], std::make_pair (0, 7));    // carried events first at equal times
    EXPECT_EQ (taken[1], std::make_pair (0, 5));
    EXPECT_EQ (taken[2], std::make_pair (36, 7));
    EXPECT_EQ (taken[3], std::make_pair (36, 6));
    EXPECT_EQ (queue.size(), 0);
}

TEST (MidiEventQueue, DropsNegativeTimesLongMessagesAndOverflow)
{
    MidiEventQueue queue;
    juce::MidiBuffer buffer;
    buffer.addEvent (juce::MidiMessage::controllerEvent (1, 1, 1), -5);
    const juce::uint8 sysex[] { 1, 2, 3, 4, 5 };
    buffer.addEvent (juce::MidiMessage::createSysExMessage (sysex, 5), 3);
    queue.append (buffer);
    EXPECT_EQ (queue.size(), 0);

    juce::MidiBuffer many;
    for (int i = 0; i < MidiEventQueue::capacity + 10; ++i)
        many.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), i % 100);

    queue.append (many);
    EXPECT_EQ (queue.size(), MidiEventQueue::capacity);
    EXPECT_EQ (takeBlock (queue, 100).size(), (size_t) MidiEventQueue::capacity);
}

TEST (MidiEventQueue, ZeroLengthBlockKeepsEverything)
{
    MidiEventQueue queue;
    juce::MidiBuffer buffer;
    buffer.addEvent (juce::MidiMessage::controllerEvent (1, 9, 9), 0);
    queue.append (buffer);

    EXPECT_TRUE (takeBlock (queue, 0).empty());
    EXPECT_EQ (queue.size(), 1);
    EXPECT_EQ (takeBlock (queue, 1).size(), 1u);
}
