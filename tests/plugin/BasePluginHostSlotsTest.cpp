#include "product/Halvenek.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace
{
    /** What a host hears from the processor through JUCE's listener interface. */
    class HostListener : public juce::AudioProcessorListener
    {
    public:
        struct Change
        {
            int slot;
            float value;
        };

        void audioProcessorParameterChanged (juce::AudioProcessor*, int slot, float value) override
        {
            const std::lock_guard<std::mutex> guard (lock);
            changes.push_back ({ slot, value });
        }

        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int slot) override { began.push_back (slot); }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int slot) override { ended.push_back (slot); }

        std::vector<Change> getChanges()
        {
            const std::lock_guard<std::mutex> guard (lock);
            return changes;
        }

        std::vector<int> began, ended;

    private:
        std::mutex lock;
        std::vector<Change> changes;
    };

    struct ChangeCounter : Parameter::Listener
    {
        void parameterChanged (Parameter&) override { ++changes; }
        int changes = 0;
    };

    /** The base processor as it stands without a product: 128 host slots. */
    class BaseOnlyProcessor : public BasePlugin
    {
    public:
        juce::String getProductName() const override    { return "Base"; }
        juce::String getProductPrefix() const override  { return "BS"; }
        void prepareToPlay (double, int) override {}
        void releaseResources() override {}
        void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
        using juce::AudioProcessor::processBlock;
        bool hasEditor() const override                  { return false; }
        juce::AudioProcessorEditor* createEditor() override { return nullptr; }
        void getStateInformation (juce::MemoryBlock&) override {}
        void setStateInformation (const void*, int) override {}
    };

    const char* const names[] =
    {
        "LFO 1 Rate", "LFO 1 Note Rate", "LFO 1 Sync", "LFO 1 Depth", "LFO 1 Offset", "LFO 1 Waveform",
        "Path 1 Volume", "LFO 1 Tremolo", "LFO 1 Stereo Phase", "LFO 2 Rate", "LFO 2 Note Rate", "LFO 2 Sync",
        "LFO 2 Depth", "LFO 2 Offset", "LFO 2 Waveform", "Path 2 Volume", "LFO 2 Tremolo", "LFO 2 Stereo Phase",
        "LFO 2 Synchronize", "BBD", "Hi Pass Frequency", "FX", "Output Volume"
    };

    const float defaults[] = { 0.5f, 0.4f, 0.25f, 0.2f, 0.05f, 0.0f, 1.0f, 0.0f, 1.0f, 0.5f, 0.6f, 0.25f,
                               0.1f, 0.05f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f, 0.5f, 0.5f };

    class HostSlots : public testing::Test
    {
    protected:
        HostSlots()  { processor->addListener (&host); }
        ~HostSlots() override { processor->removeListener (&host); }

        juce::AudioProcessorParameter& hostParameter (int slot) { return *processor->getParameters()[slot]; }
        Parameter& parameter (int index) { return *processor->getParameterManager().getParameter (index); }

        std::unique_ptr<Halvenek> processor = Halvenek::create();
        HostListener host;
    };
}

//==============================================================================
TEST_F (HostSlots, HostSeesTheTwentyThreeParameters)
{
    ASSERT_EQ (processor->getParameters().size(), 23);
    EXPECT_EQ (processor->getNumHostParameters(), 23);

    for (int slot = 0; slot < 23; ++slot)
    {
        auto& p = hostParameter (slot);
        EXPECT_EQ (p.getName (100), names[slot]);
        EXPECT_FLOAT_EQ (p.getValue(), parameter (slot).getNormalisedValue()) << names[slot];
        EXPECT_FLOAT_EQ (p.getDefaultValue(), defaults[slot]) << names[slot];
        EXPECT_TRUE (p.isAutomatable());
        EXPECT_EQ (p.getCurrentValueAsText(), processor->getParameterValueText (slot));
        EXPECT_EQ (processor->getHostParameterName (slot), names[slot]);
    }

    EXPECT_EQ (hostParameter (0).getName (3), "LFO");
}

TEST_F (HostSlots, SlotsFromTheCountOnAnswerNothing)
{
    std::vector<float> before;

    for (int index = 0; index < 23; ++index)
        before.push_back (parameter (index).getValue());

    for (int slot : { 23, 24, 127, 128, 100000, -1 })
    {
        EXPECT_EQ (processor->getHostParameterName (slot), "") << slot;
        EXPECT_FLOAT_EQ (processor->getHostParameterValue (slot), 0.0f) << slot;
        EXPECT_EQ (processor->getHostParameterText (slot), "") << slot;
        EXPECT_FALSE (processor->isHostParameterAutomatable (slot)) << slot;

        processor->setHostParameter (slot, 0.9f);
        EXPECT_FLOAT_EQ (processor->getHostParameterValue (slot), 0.0f) << slot;
    }

    EXPECT_TRUE (processor->isHostParameterAutomatable (22));

    for (int index = 0; index < 23; ++index)
        EXPECT_FLOAT_EQ (parameter (index).getValue(), before[(size_t) index]) << names[index];

    EXPECT_TRUE (host.getChanges().empty());
}

TEST_F (HostSlots, HostChangeReachesTheParameterAndIsNotEchoed)
{
    ChangeCounter counter;
    parameter (3).addListener (&counter);

    hostParameter (3).setValue (0.7f);

    EXPECT_EQ (parameter (3).getName(), "LFO 1 Depth");
    EXPECT_FLOAT_EQ (parameter (3).getValue(), 0.7f);
    EXPECT_FLOAT_EQ (hostParameter (3).getValue(), 0.7f);
    EXPECT_EQ (counter.changes, 1);
    EXPECT_TRUE (host.getChanges().empty());
}

TEST_F (HostSlots, EditorChangeIsReportedOnceWithItsSlot)
{
    parameter (3).setNormalisedValue (0.3f, true);

    const auto changes = host.getChanges();
    ASSERT_EQ (changes.size(), 1u);
    EXPECT_EQ (changes[0].slot, 3);
    EXPECT_FLOAT_EQ (changes[0].value, 0.3f);
}

TEST_F (HostSlots, ChangeAfterAHostChangeIsReportedAgain)
{
    hostParameter (5).setValue (0.6f);
    parameter (5).setNormalisedValue (0.1f, true);
    processor->getParameterManager().setParameterNormalisedValue (5, 0.2f);

    const auto changes = host.getChanges();
    ASSERT_EQ (changes.size(), 2u);
    EXPECT_FLOAT_EQ (changes[0].value, 0.1f);
    EXPECT_FLOAT_EQ (changes[1].value, 0.2f);
}

TEST_F (HostSlots, UnchangedOrSilentChangesAreNotReported)
{
    parameter (21).setNormalisedValue (0.5f, true);
    parameter (21).setNormalisedValue (0.8f, false);

    EXPECT_TRUE (host.getChanges().empty());
}

TEST_F (HostSlots, HostValuesOutsideTheRangeAreLimited)
{
    hostParameter (0).setValue (std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ (parameter (0).getValue(), 0.0f);
    hostParameter (0).setValue (5.0f);
    EXPECT_FLOAT_EQ (parameter (0).getValue(), 1.0f);
    hostParameter (0).setValue (-5.0f);
    EXPECT_FLOAT_EQ (parameter (0).getValue(), 0.0f);

    EXPECT_TRUE (host.getChanges().empty());
}

TEST_F (HostSlots, GesturesReachTheHostOnTheirSlot)
{
    parameter (12).beginChangeGesture();
    parameter (12).setNormalisedValue (0.9f, true);
    parameter (12).endChangeGesture();

    EXPECT_EQ (host.began, std::vector<int> { 12 });
    EXPECT_EQ (host.ended, std::vector<int> { 12 });
    EXPECT_EQ (host.getChanges().size(), 1u);
}

TEST_F (HostSlots, ParametersWithoutASlotAreNotReported)
{
    auto& manager = processor->getParameterManager();
    auto& presetName = *manager.getParameter (ParameterManager::currentPresetNameIndex);

    manager.setCurrentPresetName ("Wide");
    presetName.beginChangeGesture();
    presetName.endChangeGesture();

    EXPECT_TRUE (host.getChanges().empty());
    EXPECT_TRUE (host.began.empty());
    EXPECT_TRUE (host.ended.empty());
}

TEST_F (HostSlots, HostAutomationOnOneSlotDoesNotSilenceAnother)
{
    std::thread audio ([this]
    {
        for (int n = 0; n < 20000; ++n)
            hostParameter (3).setValue ((float) (n % 100) / 100.0f);
    });

    for (int n = 0; n < 2000; ++n)
        parameter (4).setNormalisedValue ((float) (n % 2), true);

    audio.join();

    const auto changes = host.getChanges();
    EXPECT_EQ (changes.size(), 2000u);

    for (const auto& change : changes)
        EXPECT_EQ (change.slot, 4);
}

//==============================================================================
TEST (BaseHostSlots, EmptySlotsOfTheBaseProcessorHoldTheHostsValue)
{
    BaseOnlyProcessor processor;
    processor.initialise();

    EXPECT_EQ (processor.getNumHostParameters(), 128);
    EXPECT_EQ (processor.getParameters().size(), 128);
    EXPECT_EQ (processor.getHostParameterName (0), "LFO 1 Rate");
    EXPECT_EQ (processor.getHostParameterName (23), "Parameter 24");
    EXPECT_EQ (processor.getHostParameterName (127), "Parameter 128");
    EXPECT_EQ (processor.getHostParameterName (128), "");
    EXPECT_TRUE (processor.isHostParameterAutomatable (127));

    EXPECT_FLOAT_EQ (processor.getHostParameterValue (23), 0.0f);
    EXPECT_EQ (processor.getHostParameterText (23), "0.000000000");

    HostListener host;
    processor.addListener (&host);
    processor.getParameters()[23]->setValue (0.3f);
    processor.removeListener (&host);

    EXPECT_FLOAT_EQ (processor.getHostParameterValue (23), 0.3f);
    EXPECT_EQ (processor.getHostParameterText (23), "0.300000012");
    EXPECT_EQ (processor.getParameters()[23]->getName (100), "Parameter 24");
    EXPECT_FLOAT_EQ (processor.getHostParameterValue (24), 0.0f);
    EXPECT_TRUE (host.getChanges().empty());
}
