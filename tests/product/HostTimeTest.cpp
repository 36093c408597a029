#include "HalvenekTestRig.h"
#include "../plugin/FakePlayHead.h"

#include <gtest/gtest.h>

#include <limits>

using namespace HalvenekParameters;

// The LFOs follow the host's tempo and position (tempo-locked is the default); whatever a
// host reports there, every sample loop keeps its reads inside the lines and its output
// finite.
TEST (HostTime, AbsurdTempoAndPositionKeepEverySampleLoopFinite)
{
    constexpr double inf = std::numeric_limits<double>::infinity();
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    const std::pair<double, double> hostTimes[] {
        { 120.0, nan }, { 120.0, inf }, { 120.0, -inf }, { 120.0, 1e300 }, { 120.0, -1e300 },
        { 3e8, 1.0 }, { 1e9, 3.0 }, { 1e12, 0.0 }, { 1e300, 2.5 }, { inf, 1.0 }, { nan, 1.0 },
        { -120.0, 1.0 }, { 1e308, 1e308 },
    };

    const auto input = sawChord (512, 44100.0);

    for (const auto loop : HalvenekCore::getSupportedSampleLoops())
    {
        for (const auto& [bpm, quarterNotes] : hostTimes)
        {
            HalvenekTestRig rig;
            ASSERT_TRUE (rig.core.useSampleLoop (loop));

            for (int lfo = 0; lfo < numLfos; ++lfo)
            {
                rig.set (forLfo (lfo, lfoDepth), 1.0f);
                rig.set (forLfo (lfo, lfoNoteRate), 1.0f);
                rig.set (forLfo (lfo, lfoSync), 1.0f);
            }

            FakePlayHead playHead;
            playHead.set (bpm, quarterNotes, true);
            rig.processor->setPlayHead (&playHead);

            juce::AudioBuffer<float> buffer (2, 512);
            juce::MidiBuffer midi;
            bool finite = true;
            float peak = 0.0f;

            for (int block = 0; block < 40; ++block)
            {
                for (int ch = 0; ch < 2; ++ch)
                    buffer.copyFrom (ch, 0, input.data(), 512);

                rig.processor->processBlock (buffer, midi);

                for (int ch = 0; ch < 2; ++ch)
                    for (int i = 0; i < 512; ++i)
                    {
                        const float sample = buffer.getSample (ch, i);
                        finite = finite && std::isfinite (sample);
                        peak = std::max (peak, std::abs (sample));
                    }
            }

            const auto context = ::testing::Message() << "loop " << (int) loop << ", " << bpm << " BPM at " << quarterNotes;
            EXPECT_TRUE (finite) << context;
            EXPECT_LT (peak, 4.0f) << context;

            for (int lfo = 0; lfo < numLfos; ++lfo)
                EXPECT_LE (rig.core.getLfoRate (lfo), AmberCrestEffect::maximumHostTempo / 60.0 * 12.0) << context;
        }
    }
}
