#include "AudioThreadSafeAsyncUpdater.h"

/** The message-thread timer that turns raised flags into triggers. */
class AudioThreadSafeAsyncUpdater::Collector : private juce::Timer
{
public:
    Collector()             { startTimer (collectionIntervalMilliseconds); }
    ~Collector() override   { stopTimer(); }

    void add (AudioThreadSafeAsyncUpdater* updater)
    {
        const juce::ScopedLock sl (lock);
        updaters.add (updater);
    }

    void remove (AudioThreadSafeAsyncUpdater* updater)
    {
        const juce::ScopedLock sl (lock);
        updaters.removeFirstMatchingValue (updater);
    }

private:
    void timerCallback() override
    {
        const juce::ScopedLock sl (lock);

        for (auto* updater : updaters)
            if (updater->raisedOffMessageThread.exchange (false))
                updater->triggerAsyncUpdate();
    }

    juce::CriticalSection lock;
    juce::Array<AudioThreadSafeAsyncUpdater*> updaters;
};

AudioThreadSafeAsyncUpdater::AudioThreadSafeAsyncUpdater()
{
    collector->add (this);
}

AudioThreadSafeAsyncUpdater::~AudioThreadSafeAsyncUpdater()
{
    collector->remove (this);
}

void AudioThreadSafeAsyncUpdater::triggerUpdateFromAnyThread() noexcept
{
    if (juce::MessageManager::existsAndIsCurrentThread())
        triggerAsyncUpdate();
    else
        raisedOffMessageThread.store (true);
}
