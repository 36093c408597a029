#include "AudioThreadSafeAsyncUpdater.h"

#include <cerrno>
#include <semaphore.h>

/** A thread, shared by all instances, that sleeps until a flag is raised and then turns
    raised flags into ordinary triggers. Raising posts a semaphore, which neither locks
    nor allocates; with nothing raised the process has nothing waking up. */
class AudioThreadSafeAsyncUpdater::Collector : private juce::Thread
{
public:
    Collector() : juce::Thread ("Deferred notifications")
    {
        sem_init (&raised, 0, 0);
        startThread();
    }

    ~Collector() override
    {
        signalThreadShouldExit();
        sem_post (&raised);
        stopThread (-1);
        sem_destroy (&raised);
    }

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

    void wake() noexcept
    {
        sem_post (&raised);
    }

private:
    void run() override
    {
        while (! threadShouldExit())
        {
            if (sem_wait (&raised) != 0 && errno == EINTR)
                continue;

            const juce::ScopedLock sl (lock);

            for (auto* updater : updaters)
                if (updater->raisedOffMessageThread.exchange (false))
                    updater->triggerAsyncUpdate();
        }
    }

    sem_t raised;
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
    else if (! raisedOffMessageThread.exchange (true))
        collector->wake();
}
