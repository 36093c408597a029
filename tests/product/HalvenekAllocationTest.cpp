#include "HalvenekTestRig.h"
#include "../HeapAllocationCounter.h"
#include "../plugin/FakePlayHead.h"

#include <gtest/gtest.h>


namespace
{
    using namespace HalvenekParameters;

    juce::MidiBuffer eventsForBlock (int block, int blockSize)
    {
        juce::MidiBuffer midi;
        midi.ensureSize (4096);
        midi.addEvent (juce::MidiMessage::controllerEvent (1, 7, block % 128), 3);
        midi.addEvent (juce::MidiMessage::programChange (1, block % 4), blockSize / 2);
        midi.addEvent (juce::MidiMessage::controllerEvent (2, 1, 64), blockSize - 1);
        midi.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 90), blockSize + 17);   // late: next block
        return midi;
    }

    int countHeapCallsWhileProcessing (HalvenekTestRig& rig, FakePlayHead& playHead, double sampleRate, int blockSize, int numBlocks)
    {
        juce::AudioBuffer<float> buffer (2, blockSize);
        const auto signal = sawChord (blockSize, sampleRate);
        std::vector<juce::MidiBuffer> midi;

        for (int block = 0; block < numBlocks; ++block)
            midi.push_back (eventsForBlock (block, blockSize));

        int heapCalls = 0;

        for (int block = 0; block < numBlocks; ++block)
        {
            for (int ch = 0; ch < 2; ++ch)
                buffer.copyFrom (ch, 0, signal.data(), blockSize);

            if (block == numBlocks / 4)
                rig.core.changePreset();   // the fade applies the preset on this thread

            {
                const HeapAllocationCounter counter;
                rig.processor->processBlock (buffer, midi[(size_t) block]);
                heapCalls += counter.getCount();
            }

            playHead.advance (blockSize, sampleRate);
        }

        return heapCalls;
    }
}

TEST (HalvenekRealTime, ProcessingNeverTouchesTheHeap)
{
    // The counter itself sees allocations: a sanity check that it is wired in.
    {
        const HeapAllocationCounter counter;
        auto* probe = new std::vector<int> (100);
        delete probe;
        ASSERT_GE (counter.getCount(), 2);
    }

    HalvenekTestRig rig (44100.0, 512);
    FakePlayHead playHead;
    rig.processor->setPlayHead (&playHead);
    rig.set (lfoWaveform, 0.4f);
    rig.set (forLfo (1, lfoWaveform), 1.0f);

    for (const double rate : { 44100.0, 96000.0 })
    {
        for (const double tempo : { 90.0, 120.0, 137.5, 200.0 })
        {
            rig.processor->prepareToPlay (rate, 512);
            playHead.set (tempo, 3.7, true);

            // Warm-up: one-time set-up inside the framework's locks happens here.
            countHeapCallsWhileProcessing (rig, playHead, rate, 512, 4);

            EXPECT_EQ (countHeapCallsWhileProcessing (rig, playHead, rate, 512, 200), 0) << rate << " Hz, " << tempo << " BPM";
            EXPECT_EQ (countHeapCallsWhileProcessing (rig, playHead, rate, 37, 200), 0) << rate << " Hz, " << tempo << " BPM";
        }
    }
}
