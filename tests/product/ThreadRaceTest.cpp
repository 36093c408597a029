#include "HalvenekTestRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>

namespace
{
    using namespace std::chrono_literals;

    /** Runs two loops against each other for a while; a pair that cannot finish within
        the grace time after being told to stop is a deadlock, and ends the program, since
        the stuck threads can be neither joined nor abandoned safely. */
    void raceWithWatchdog (const std::function<void()>& audioStep, const std::function<void()>& messageStep,
                           std::chrono::milliseconds duration)
    {
        std::atomic<bool> stop { false };
        std::atomic<int> finished { 0 };
        std::atomic<long> audioSteps { 0 }, messageSteps { 0 };

        auto loop = [&] (const std::function<void()>& step, std::atomic<long>& count)
        {
            return std::thread ([&]
            {
                while (! stop)
                {
                    step();
                    ++count;
                }

                ++finished;
            });
        };

        auto audio = loop (audioStep, audioSteps);
        auto message = loop (messageStep, messageSteps);
        std::this_thread::sleep_for (duration);
        stop = true;

        for (int waited = 0; finished < 2; waited += 10)
        {
            if (waited > 5000)
            {
                std::fprintf (stderr, "Deadlock: %ld audio and %ld message steps, then both threads stuck\n",
                              audioSteps.load(), messageSteps.load());
                std::fflush (stderr);
                std::_Exit (1);
            }

            std::this_thread::sleep_for (10ms);
        }

        audio.join();
        message.join();
        EXPECT_GT (audioSteps.load(), 100);
        EXPECT_GT (messageSteps.load(), 100);
    }
}

// The silent preset change ends on the audio thread, inside the processor and core locks,
// by setting the current preset's name; a program chunk restore or a rename sets that name
// on the message thread, whose listeners then want the processor lock.
TEST (ThreadRace, SilentPresetChangesRaceProgramChunkRestoresAndRenames)
{
    HalvenekTestRig rig (44100.0, 64);
    auto& processor = *rig.processor;
    processor.setChangingMode (BasePluginOldStyle::ChangingMode::silent);

    juce::MemoryBlock chunk;
    processor.getCurrentProgramStateInformation (chunk);

    juce::AudioBuffer<float> buffer (2, 64);
    int block = 0, rename = 0;

    raceWithWatchdog ([&]
    {
        juce::MidiBuffer midi;

        if (++block % 4 == 0)
            midi.addEvent (juce::MidiMessage::programChange (1, (block / 4) % 3), 0);

        buffer.clear();
        processor.processBlock (buffer, midi);
    },
    [&]
    {
        processor.setCurrentProgramStateInformation (chunk.getData(), (int) chunk.getSize());
        processor.getParameterManager().setCurrentPresetName ("Renamed " + juce::String (++rename), true);
    },
    3s);
}

// Outside the host contract, but hosts do it: preparing again with another block size, or
// suspending, while another thread is inside processing. Blocks cut into that way may be
// silent; nothing may crash.
TEST (ThreadRace, PrepareAndSuspendDuringProcessingAreSurvived)
{
    HalvenekTestRig rig (44100.0, 512);
    auto& processor = *rig.processor;
    juce::AudioBuffer<float> buffer (2, 512);
    const auto input = sawChord (512, 44100.0);
    int block = 0, preparation = 0;
    bool finite = true;

    raceWithWatchdog ([&]
    {
        juce::MidiBuffer midi;

        for (int i = 0; i < 16; ++i)
            midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, (block + i) % 128), (i * 97 + block) % 700);

        for (int ch = 0; ch < 2; ++ch)
            buffer.copyFrom (ch, 0, input.data(), 512);

        processor.processBlock (buffer, midi);
        finite = finite && std::isfinite (buffer.getMagnitude (0, 512));
        ++block;
    },
    [&]
    {
        if (++preparation % 3 == 0)
            processor.releaseResources();
        else
            processor.prepareToPlay (preparation % 2 == 0 ? 48000.0 : 44100.0, 32 << (preparation % 5));
    },
    std::chrono::seconds (3));

    EXPECT_TRUE (finite);
}
