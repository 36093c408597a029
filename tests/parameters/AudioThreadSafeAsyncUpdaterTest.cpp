#include "framework/parameters/Parameter.h"

#include "../HeapAllocationCounter.h"
#include "../MessageLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
    struct CountingListener : Parameter::Listener
    {
        void parameterChanged (Parameter&) override
        {
            EXPECT_TRUE (juce::MessageManager::existsAndIsCurrentThread());
            ++calls;
        }

        int calls = 0;
    };

    template <typename Function>
    void runOnAnotherThread (Function&& function)
    {
        std::thread thread (std::forward<Function> (function));
        thread.join();
    }
}

TEST (AudioThreadSafeAsyncUpdater, ChangesOffTheMessageThreadReachDeferredListenersOnceOnTheMessageThread)
{
    FloatParameter parameter (3, "LFO 1 Depth");
    CountingListener listener;
    parameter.addAsyncListener (&listener);

    runOnAnotherThread ([&]
    {
        for (int i = 1; i <= 5; ++i)
            parameter.setNormalisedValue ((float) i / 10.0f, true);
    });

    EXPECT_EQ (listener.calls, 0);
    EXPECT_TRUE (MessageLoop::runUntil ([&] { return listener.calls > 0; }));
    MessageLoop::runFor (5 * AudioThreadSafeAsyncUpdater::collectionIntervalMilliseconds);
    EXPECT_EQ (listener.calls, 1);
}

TEST (AudioThreadSafeAsyncUpdater, ChangesOnTheAudioThreadNeverTouchTheHeapWhileTheMessageThreadRuns)
{
    FloatParameter parameter (3, "LFO 1 Depth");
    CountingListener listener;
    parameter.addAsyncListener (&listener);

    int heapCalls = 0;

    // The message thread delivers every notification between two audio blocks, so each
    // block's change posts afresh: JUCE's own trigger would grow its message queue here.
    for (int block = 0; block < 20; ++block)
    {
        runOnAnotherThread ([&]
        {
            const HeapAllocationCounter counter;
            parameter.setNormalisedValue (block % 2 == 0 ? 1.0f : 0.0f, true);
            heapCalls += counter.getCount();
        });

        const int expected = block + 1;
        ASSERT_TRUE (MessageLoop::runUntil ([&] { return listener.calls == expected; }));
    }

    EXPECT_EQ (heapCalls, 0);
}

TEST (AudioThreadSafeAsyncUpdater, ChangesOnTheMessageThreadAreDeliveredWithoutWaitingForTheCollector)
{
    FloatParameter parameter (3, "LFO 1 Depth");
    CountingListener listener;
    parameter.addAsyncListener (&listener);

    parameter.setNormalisedValue (0.5f, true);
    parameter.handleUpdateNowIfNeeded();
    EXPECT_EQ (listener.calls, 1);
}
