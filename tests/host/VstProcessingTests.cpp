#include "StereoBuffer.h"
#include "VstTestHost.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

namespace
{
    constexpr float sampleRate = 44100.0f;

    /** Runs a whole signal through the plug-in in blocks, out of place or in place. */
    StereoBuffer render (VstTestHost::Instance& plugin, const StereoBuffer& input, int blockSize, bool inPlace)
    {
        StereoBuffer output (input.size());

        if (inPlace)
            output = input;

        for (int start = 0; start < input.size(); start += blockSize)
        {
            const int count = std::min (blockSize, input.size() - start);
            float* in[] { const_cast<float*> (input.left.data()) + start, const_cast<float*> (input.right.data()) + start };
            float* out[] { output.left.data() + start, output.right.data() + start };
            plugin.processReplacing (inPlace ? out : in, out, count);
        }

        return output;
    }

    bool allFinite (const StereoBuffer& buffer)
    {
        for (auto* channel : { &buffer.left, &buffer.right })
            for (auto sample : *channel)
                if (! std::isfinite (sample))
                    return false;

        return true;
    }

    double rms (const std::vector<float>& samples, int from, int to)
    {
        double sum = 0;

        for (int i = from; i < to; ++i)
            sum += (double) samples[(size_t) i] * samples[(size_t) i];

        return std::sqrt (sum / std::max (1, to - from));
    }

    VstMidiEvent midiEvent (unsigned char status, unsigned char data1, unsigned char data2, int deltaFrames = 0)
    {
        VstMidiEvent event {};
        event.type = kVstMidiType;
        event.byteSize = sizeof (VstMidiEvent);
        event.deltaFrames = deltaFrames;
        event.midiData[0] = (char) status;
        event.midiData[1] = (char) data1;
        event.midiData[2] = (char) data2;
        return event;
    }
}

TEST (VstProcessingTest, InPlaceAndOutOfPlaceGiveTheSameSound)
{
    const auto input = StereoBuffer::testSignal (3 * 44100, sampleRate);

    auto outOfPlace = VstTestHost::shared().create();
    auto inPlace = VstTestHost::shared().create();
    outOfPlace->resume (sampleRate, 512);
    inPlace->resume (sampleRate, 512);

    const auto a = render (*outOfPlace, input, 512, false);
    const auto b = render (*inPlace, input, 512, true);

    EXPECT_TRUE (allFinite (a));
    EXPECT_EQ (a.left, b.left);
    EXPECT_EQ (a.right, b.right);
}

TEST (VstProcessingTest, ResumeAsksForMidiEveryTime)
{
    auto plugin = VstTestHost::shared().create();
    plugin->resume();
    plugin->suspend();
    plugin->resume();
    EXPECT_EQ (plugin->wantMidiRequests(), 2);
}

TEST (VstProcessingTest, MidiEventsAreTakenIncludingDamagedLists)
{
    auto plugin = VstTestHost::shared().create();
    plugin->resume (sampleRate, 256);

    auto controller = midiEvent (0xb0, 7, 100, 10);
    auto programChange = midiEvent (0xc0, 3, 0, 300);
    auto late = midiEvent (0xb0, 1, 64, 100000);
    auto early = midiEvent (0xb0, 1, 64, -50);

    VstMidiSysexEvent emptySysex {};
    emptySysex.type = kVstSysExType;
    emptySysex.byteSize = sizeof (VstMidiSysexEvent);
    emptySysex.dumpBytes = 1000;
    emptySysex.sysexDump = nullptr;

    VstEvent unknownType {};
    unknownType.type = (t_fstEventType) 42;

    plugin->sendEvents ({ reinterpret_cast<VstEvent*> (&controller), nullptr, reinterpret_cast<VstEvent*> (&programChange),
                          reinterpret_cast<VstEvent*> (&emptySysex), &unknownType, reinterpret_cast<VstEvent*> (&late),
                          reinterpret_cast<VstEvent*> (&early) });

    EXPECT_EQ (plugin->dispatch (effProcessEvents, 0, 0, nullptr), 0);

    VstEvents negativeCount {};
    negativeCount.numEvents = -3;
    EXPECT_EQ (plugin->dispatch (effProcessEvents, 0, 0, &negativeCount), 1);

    auto signal = StereoBuffer::testSignal (2048, sampleRate);
    EXPECT_TRUE (allFinite (render (*plugin, signal, 256, false)));
}

TEST (VstProcessingTest, BadBlocksDoNotCrash)
{
    auto plugin = VstTestHost::shared().create();
    auto signal = StereoBuffer::testSignal (8192, sampleRate);
    float* in[] { signal.left.data(), signal.right.data() };

    // Processing before any resume: the plug-in resumes itself.
    StereoBuffer out (8192);
    float* outs[] { out.left.data(), out.right.data() };
    plugin->processReplacing (in, outs, 512);

    plugin->resume (sampleRate, 512);
    plugin->processReplacing (in, outs, 0);
    plugin->processReplacing (in, outs, -64);
    plugin->processReplacing (nullptr, outs, 512);
    plugin->processReplacing (in, nullptr, 512);

    float* missingInput[] { signal.left.data(), nullptr };
    plugin->processReplacing (missingInput, outs, 512);

    // More samples than the announced block size, into one buffer shared by both outputs
    // and into a missing output.
    float* shared[] { out.left.data(), out.left.data() };
    plugin->processReplacing (in, shared, 8192);

    float* oneMissing[] { out.left.data(), nullptr };
    plugin->processReplacing (in, oneMissing, 8192);

    EXPECT_TRUE (allFinite (out));
}

TEST (VstProcessingTest, OddBlockSizesAndSampleRatesDoNotCrash)
{
    auto signal = StereoBuffer::testSignal (20000, sampleRate);

    for (VstIntPtr blockSize : { (VstIntPtr) 0, (VstIntPtr) -7, (VstIntPtr) 1, (VstIntPtr) 1 << 30 })
    {
        for (float rate : { 0.0f, -44100.0f, std::nanf (""), INFINITY, 1.0f, 1.0e12f, 48000.0f })
        {
            auto plugin = VstTestHost::shared().create();
            plugin->dispatch (effSetSampleRate, 0, 0, nullptr, rate);
            plugin->dispatch (effSetBlockSize, 0, blockSize);
            plugin->dispatch (effMainsChanged, 0, 1);

            StereoBuffer out (signal.size());
            float* in[] { signal.left.data(), signal.right.data() };
            float* shared[] { out.left.data(), out.left.data() };
            plugin->processReplacing (in, shared, signal.size());

            EXPECT_TRUE (allFinite (out)) << "block " << blockSize << " rate " << rate;
        }
    }
}

TEST (VstProcessingTest, CallsBeforeResumeAreAnswered)
{
    auto plugin = VstTestHost::shared().create();

    EXPECT_FALSE (plugin->parameterDisplay (0).empty());
    plugin->getChunk (false);
    plugin->getChunk (true);
    plugin->setParameter (1, 0.2f);
    plugin->dispatch (effMainsChanged, 0, 0);

    ERect* rect = nullptr;
    plugin->dispatch (effEditGetRect, 0, 0, &rect);
    EXPECT_EQ (plugin->dispatch (effEditGetRect, 0, 0, nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effEditOpen, 0, 0, nullptr), 0);
    plugin->dispatch (effEditClose);
}

TEST (VstProcessingTest, TwoInstancesLiveSideBySide)
{
    auto first = VstTestHost::shared().create();
    auto second = VstTestHost::shared().create();
    ASSERT_NE (first, nullptr);
    ASSERT_NE (second, nullptr);

    first->setParameter (3, 0.9f);
    second->setParameter (3, 0.1f);
    EXPECT_FLOAT_EQ (first->getParameter (3), 0.9f);
    EXPECT_FLOAT_EQ (second->getParameter (3), 0.1f);

    first->resume (sampleRate, 256);
    second->resume (48000.0f, 128);
    const auto signal = StereoBuffer::testSignal (4096, sampleRate);
    EXPECT_TRUE (allFinite (render (*first, signal, 256, false)));
    EXPECT_TRUE (allFinite (render (*second, signal, 128, true)));

    // Closing one leaves the other working.
    first->close();
    EXPECT_TRUE (allFinite (render (*second, signal, 128, false)));
    EXPECT_FLOAT_EQ (second->getParameter (3), 0.1f);
}

TEST (VstProcessingTest, ClosesCleanlyAndOpensAgain)
{
    {
        auto plugin = VstTestHost::shared().create();
        plugin->resume();
        const auto signal = StereoBuffer::testSignal (1024, sampleRate);
        render (*plugin, signal, 512, false);
        plugin->getChunk (false);

        // Closed while resumed and with a chunk still lent out.
        plugin->close();
    }

    auto again = VstTestHost::shared().create();
    ASSERT_NE (again, nullptr);
    EXPECT_EQ (again->parameterName (0), "LFO 1 Rate");
}

//==============================================================================
// The sound through the host interface.

TEST (VstSoundTest, DryMixReproducesTheInputDelayedBySixteenSamples)
{
    auto plugin = VstTestHost::shared().create();
    plugin->setParameter (21, 0.0f);   // FX
    plugin->setParameter (22, 0.5f);   // Output Volume
    plugin->resume (sampleRate, 512);

    const auto input = StereoBuffer::testSignal (2 * 44100, sampleRate);
    const auto output = render (*plugin, input, 512, false);

    // After the first second, when any smoothing has settled.
    double worst = 0;

    for (int i = 44100; i < input.size(); ++i)
    {
        worst = std::max (worst, (double) std::abs (output.left[(size_t) i] - input.left[(size_t) i - 16]));
        worst = std::max (worst, (double) std::abs (output.right[(size_t) i] - input.right[(size_t) i - 16]));
    }

    EXPECT_LT (worst, 1.0e-4);
}

TEST (VstSoundTest, FactoryPresetZeroAudiblyChangesTheSound)
{
    auto plugin = VstTestHost::shared().create();
    plugin->resume (sampleRate, 512);

    auto programChange = midiEvent (0xc0, 0, 0);
    plugin->sendEvents ({ reinterpret_cast<VstEvent*> (&programChange) });

    const auto input = StereoBuffer::testSignal (3 * 44100, sampleRate);
    const auto output = render (*plugin, input, 512, false);

    std::vector<float> difference (input.left.size());

    for (size_t i = 0; i < difference.size(); ++i)
        difference[i] = output.left[i] - input.left[i];

    const int from = 44100, to = input.size();
    EXPECT_GT (rms (difference, from, to), 0.1 * rms (input.left, from, to));
    EXPECT_GT (rms (output.left, from, to), 0.1 * rms (input.left, from, to));
}

TEST (VstProcessingTest, ResumeSuspendAndBlockSizeChangesDuringProcessingAreSurvived)
{
    // Outside the host contract, but some hosts do it: the wrapper's buffers are replaced
    // while another thread is inside processing. Blocks cut into that way may be silent.
    auto plugin = VstTestHost::shared().create();
    plugin->resume (sampleRate, 512);
    auto signal = StereoBuffer::testSignal (4096, sampleRate);
    std::atomic<bool> stop { false }, finite { true };

    std::thread audio ([&]
    {
        StereoBuffer out (signal.size());

        while (! stop)
        {
            float* in[] { signal.left.data(), signal.right.data() };
            float* outs[] { out.left.data(), out.right.data() };
            plugin->processReplacing (in, outs, signal.size());

            if (! allFinite (out))
                finite = false;
        }
    });

    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds (3);

    for (int change = 0; std::chrono::steady_clock::now() < end; ++change)
    {
        plugin->dispatch (effMainsChanged, 0, change % 2);
        plugin->dispatch (effSetBlockSize, 0, 16 << (change % 7));
    }

    stop = true;
    audio.join();
    EXPECT_TRUE (finite.load());
}
