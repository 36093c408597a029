#include "product/Halvenek.h"
#include "product/HalvenekCore.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cmath>
#include <fstream>
#include <sys/resource.h>
#include <vector>
#include <X11/Xlib.h>

namespace juce
{
    // One step of JUCE's message loop; it waits for the next message when asked not to return.
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{
    /** A host transport playing at a fixed tempo, so that the tempo-locked LFOs of the
        default parameters move and their clocks cut the blocks as in a real session. */
    class PlayingHost : public juce::AudioPlayHead
    {
    public:
        juce::Optional<PositionInfo> getPosition() const override { return info; }

        void start (double bpm)
        {
            info.setBpm (bpm);
            info.setPpqPosition (0.0);
            info.setIsPlaying (true);
        }

        void advance (int numSamples, double sampleRate)
        {
            info.setPpqPosition (*info.getPpqPosition() + numSamples * *info.getBpm() / (60.0 * sampleRate));
        }

    private:
        PositionInfo info;
    };

    /** What happens between two blocks. */
    enum class Between
    {
        nothing,        // a steady setting, the caches warm
        automation,     // the host moves one parameter before every block
        otherTracks     // other tracks run between the blocks and leave the caches cold
    };

    /** Writes over four times the second-level cache, as the other plug-ins of a session
        do between two blocks of this one. */
    class CacheEvictor
    {
    public:
        void evict()
        {
            for (size_t i = 0; i < scratch.size(); i += 8)
                scratch[i] += 1.0;

            benchmark::ClobberMemory();
        }

    private:
        static constexpr size_t evictedBytes = 4 * 1024 * 1024;
        std::vector<double> scratch = std::vector<double> (evictedBytes / sizeof (double));
    };

    double threadCpuSeconds()
    {
        timespec now {};
        clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
        return (double) now.tv_sec + (double) now.tv_nsec * 1e-9;
    }

    /** What reading the clock twice adds to an interval, the least of many tries: a reading
        is a system call, which lasts over a microsecond in some virtual machines and would
        otherwise count as part of every block and flatten the ratios between the cases. */
    double clockOverheadSeconds()
    {
        double least = 1.0;

        for (int i = 0; i < 1000; ++i)
        {
            const double start = threadCpuSeconds();
            least = std::min (least, threadCpuSeconds() - start);
        }

        return least;
    }

    void processDefaultPreset (benchmark::State& state)
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        const double sampleRate = (double) state.range (0);
        const bool withHost = state.range (1) != 0;
        constexpr int blockSize = 512;

        auto processor = Halvenek::create();

        // The third argument, where given, picks a version of the core's sample loop;
        // otherwise the core runs the best one the processor supports.
        if (state.range (2) >= 0 && ! processor->getHalvenekCore()->useSampleLoop ((HalvenekCore::SampleLoop) state.range (2)))
        {
            state.SkipWithError ("this processor cannot run that version of the sample loop");
            return;
        }

        PlayingHost host;
        host.start (120.0);

        if (withHost)
            processor->setPlayHead (&host);

        processor->prepareToPlay (sampleRate, blockSize);

        juce::AudioBuffer<float> input (2, blockSize), buffer (2, blockSize);

        for (int i = 0; i < blockSize; ++i)
        {
            const float saw = (float) (std::fmod (i * 220.0 / sampleRate, 1.0) * 0.5 - 0.25);
            input.setSample (0, i, saw);
            input.setSample (1, i, -saw);
        }

        juce::MidiBuffer midi;
        long long samples = 0;
        const auto between = (Between) state.range (3);
        auto* automated = processor->getParameters()[HalvenekParameters::lfoDepth];
        CacheEvictor evictor;
        const double clockOverhead = clockOverheadSeconds();

        // Only the block itself is timed, in the thread's CPU time, which other processes
        // on the machine do not inflate: the copy of the input and the eviction are not.
        for (auto _ : state)
        {
            buffer.makeCopyOf (input, true);

            if (between == Between::otherTracks)
                evictor.evict();

            const double start = threadCpuSeconds();

            if (between == Between::automation)
                automated->setValue (0.5f + 0.25f * (float) std::sin ((double) samples * 1.0e-4));

            processor->processBlock (buffer, midi);
            state.SetIterationTime (std::max (0.0, threadCpuSeconds() - start - clockOverhead));

            host.advance (blockSize, sampleRate);
            samples += blockSize;
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
        }

        processor->releaseResources();

        // A rate counter divides by the measured time of the blocks: seconds of audio per CPU second.
        state.counters["realtime_factor"] = benchmark::Counter ((double) samples / sampleRate, benchmark::Counter::kIsRate);
    }
}

namespace
{
    double residentMegabytes()
    {
        std::ifstream statm ("/proc/self/statm");
        long long pages = 0, resident = 0;
        statm >> pages >> resident;
        return (double) resident * (double) getpagesize() / (1024.0 * 1024.0);
    }

    double processCpuSeconds()
    {
        rusage usage {};
        getrusage (RUSAGE_SELF, &usage);
        return (double) usage.ru_utime.tv_sec + (double) usage.ru_stime.tv_sec
             + ((double) usage.ru_utime.tv_usec + (double) usage.ru_stime.tv_usec) * 1e-6;
    }

    /** Creating instances as a host loads a session: the first one pays what the process
        shares (pictures, typefaces, the interpolation table), each further one only its own
        part. Run alone (--benchmark_filter=instantiate) so that the first is really first. */
    void instantiate (benchmark::State& state)
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        constexpr int furtherInstances = 8;
        std::vector<std::unique_ptr<Halvenek>> instances;

        for (auto _ : state)
        {
            // CPU time, which a loaded machine does not inflate as it does the wall clock.
            const double startMegabytes = residentMegabytes();
            const double start = processCpuSeconds();
            instances.push_back (Halvenek::create());
            const double firstSeconds = processCpuSeconds() - start;
            const double afterFirstMegabytes = residentMegabytes();

            for (int i = 0; i < furtherInstances; ++i)
                instances.push_back (Halvenek::create());

            const double furtherSeconds = processCpuSeconds() - start - firstSeconds;
            state.SetIterationTime (firstSeconds + furtherSeconds);

            state.counters["first_cpu_ms"] = firstSeconds * 1e3;
            state.counters["first_MB"] = afterFirstMegabytes - startMegabytes;
            state.counters["further_cpu_ms"] = furtherSeconds * 1e3 / furtherInstances;
            state.counters["further_MB"] = (residentMegabytes() - afterFirstMegabytes) / furtherInstances;
        }
    }

    // Answers the seconds that actually passed: a quiet loop may wait a little longer.
    double runMessageLoopFor (double seconds)
    {
        const auto start = juce::Time::getMillisecondCounterHiRes();

        while (juce::Time::getMillisecondCounterHiRes() < start + seconds * 1e3)
            juce::dispatchNextMessageOnSystemQueue (false);

        return (juce::Time::getMillisecondCounterHiRes() - start) * 1e-3;
    }

    void showOnDesktop (juce::Component& window)
    {
        // Xvfb refuses a property JUCE's window sets; an application ignores that.
        XSetErrorHandler ([] (Display*, XErrorEvent*) { return 0; });
        window.addToDesktop (0);
        window.setVisible (true);
    }

    /** The process's CPU use over ten seconds of the message loop, as a share of one core,
        after a second in which a window draws itself once before it can sit still. */
    void measureIdleCpu (benchmark::State& state)
    {
        runMessageLoopFor (1.0);

        for (auto _ : state)
        {
            const double cpuBefore = processCpuSeconds();
            const double seconds = runMessageLoopFor (10.0);
            state.SetIterationTime (seconds);
            state.counters["cpu_percent"] = (processCpuSeconds() - cpuBefore) / seconds * 100.0;
        }

        // What JUCE times its windows' frames by; 0 when the display tells no rate, and JUCE
        // then draws at 100 frames a second.
        if (auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
            state.counters["display_hz"] = display->verticalFrequencyHz.value_or (0.0);
    }

    /** The processor's CPU use while nothing plays, with the editor closed (0) or open (1). */
    void idle (benchmark::State& state)
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        auto processor = Halvenek::create();
        processor->prepareToPlay (44100.0, 512);
        std::unique_ptr<juce::AudioProcessorEditor> window;

        if (state.range (0) != 0)
        {
            window.reset (processor->createEditorIfNeeded());
            showOnDesktop (*window);
        }

        measureIdleCpu (state);
        window.reset();
        processor->releaseResources();
    }

    /** An empty JUCE window of the editor's size, with no plug-in: what JUCE's own frame
        timer costs any open window, the floor under an open editor. */
    void idleEmptyWindow (benchmark::State& state)
    {
        const juce::ScopedJuceInitialiser_GUI juce;
        juce::Component window;
        window.setSize (633, 223);
        showOnDesktop (window);
        measureIdleCpu (state);
    }
}

BENCHMARK (instantiate)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
BENCHMARK (idle)->ArgName ("editor")->Arg (0)->Arg (1)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);
BENCHMARK (idleEmptyWindow)->UseManualTime()->Iterations (1)->Unit (benchmark::kMillisecond);

constexpr int bestLoop = -1;
constexpr int portableLoop = (int) HalvenekCore::SampleLoop::portable;
constexpr int avx2Loop = (int) HalvenekCore::SampleLoop::avx2;

constexpr int steady = (int) Between::nothing;
constexpr int automated = (int) Between::automation;
constexpr int cold = (int) Between::otherTracks;

BENCHMARK (processDefaultPreset)->ArgNames ({ "rate", "host", "loop", "case" })->UseManualTime()
    ->Args ({ 44100, 1, bestLoop, steady })->Args ({ 44100, 1, bestLoop, automated })->Args ({ 44100, 1, bestLoop, cold })
    ->Args ({ 96000, 1, bestLoop, steady })->Args ({ 96000, 1, bestLoop, automated })->Args ({ 96000, 1, bestLoop, cold })
    ->Args ({ 44100, 0, bestLoop, steady })->Args ({ 96000, 0, bestLoop, steady })
    ->Args ({ 44100, 1, avx2Loop, steady })->Args ({ 44100, 1, portableLoop, steady });

BENCHMARK_MAIN();
