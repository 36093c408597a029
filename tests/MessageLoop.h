#pragma once

#include <juce_events/juce_events.h>

#include <functional>

namespace juce
{
    // JUCE's own message dispatch step. The library is built without modal loops (a plug-in
    // must not run one), so MessageManager::runDispatchLoopUntil does not exist; the tests
    // pump the queue with the step that loop is made of.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

/** Runs the JUCE message loop on the test's thread, which is the message thread. */
namespace MessageLoop
{
    /** Dispatches messages for the given time. */
    inline void runFor (int milliseconds)
    {
        jassert (juce::MessageManager::existsAndIsCurrentThread());
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

        while (juce::Time::getMillisecondCounter() < end)
            if (! juce::dispatchNextMessageOnSystemQueue (true))
                juce::Thread::sleep (1);
    }

    /** Dispatches messages until the condition holds or the time limit runs out; the limit
        only stops a broken test from hanging. */
    inline bool runUntil (const std::function<bool()>& condition, int maximumMilliseconds = 5000)
    {
        const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) maximumMilliseconds;

        while (! condition())
        {
            if (juce::Time::getMillisecondCounter() >= end)
                return false;

            runFor (5);
        }

        return true;
    }

    /** Delivers whatever has been posted before this call. */
    inline void dispatchPending()
    {
        runFor (50);
    }
}
