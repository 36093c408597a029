#pragma once

#include <juce_events/juce_events.h>

#include <atomic>

/** A JUCE AsyncUpdater that may be triggered from the audio thread.

    JUCE's own trigger posts a message, which locks the message queue, writes to a socket
    and may grow the queue's array: none of that belongs on the audio thread. Here a
    trigger from any thread but the message thread only raises an atomic flag and wakes a
    collecting thread, shared by all instances, which turns raised flags into ordinary
    triggers. Several triggers before the update runs still make one call.
*/
class AudioThreadSafeAsyncUpdater : public juce::AsyncUpdater
{
public:
    AudioThreadSafeAsyncUpdater();
    ~AudioThreadSafeAsyncUpdater() override;

    /** Never locks or allocates on a thread other than the message thread. */
    void triggerUpdateFromAnyThread() noexcept;

    /** Raised flags reach the message thread's queue well within this time. */
    static constexpr int collectionIntervalMilliseconds = 10;

private:
    class Collector;

    std::atomic<bool> raisedOffMessageThread { false };
    juce::SharedResourcePointer<Collector> collector;

    JUCE_DECLARE_NON_COPYABLE (AudioThreadSafeAsyncUpdater)
};
