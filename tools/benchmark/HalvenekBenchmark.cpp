#include "product/Halvenek.h"
#include "product/HalvenekCore.h"

#include <benchmark/benchmark.h>

#include <cmath>

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

        for (auto _ : state)
        {
            buffer.makeCopyOf (input, true);
            processor->processBlock (buffer, midi);
            host.advance (blockSize, sampleRate);
            samples += blockSize;
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
        }

        processor->releaseResources();

        // A rate counter divides by the measured CPU time: seconds of audio per CPU second.
        state.counters["realtime_factor"] = benchmark::Counter ((double) samples / sampleRate, benchmark::Counter::kIsRate);
    }
}

constexpr int bestLoop = -1;
constexpr int portableLoop = (int) HalvenekCore::SampleLoop::portable;
constexpr int avx2Loop = (int) HalvenekCore::SampleLoop::avx2;

BENCHMARK (processDefaultPreset)->ArgNames ({ "rate", "host", "loop" })
    ->Args ({ 44100, 1, bestLoop })->Args ({ 96000, 1, bestLoop })->Args ({ 44100, 0, bestLoop })->Args ({ 96000, 0, bestLoop })
    ->Args ({ 44100, 1, avx2Loop })->Args ({ 44100, 1, portableLoop });

BENCHMARK_MAIN();
