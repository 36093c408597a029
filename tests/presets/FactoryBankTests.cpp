#include "framework/parameters/XmlReading.h"
#include "framework/plugin/Resources.h"
#include "framework/presets/PresetFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace
{
    constexpr int numValues = 23;
    constexpr int numFactoryPresets = 80;

    /** The factory bank as the plug-in reads it. */
    class FactoryBankTest : public testing::Test
    {
    protected:
        FactoryBankTest()
        {
            parameters.loadDefinitions ("parameters.xml");

            for (int i = 0; i < numValues; ++i)
                defaults.setValue (i, parameters.getParameterNormalisedValue (i));

            const auto root = XmlReading::parse (Resources::loadResourceText ("default.hlprsb"));

            if (root != nullptr)
                loaded = format.loadBank (*root, bank, defaults);
        }

        float value (int slot, const char* parameterName) const
        {
            return bank.getPreset (slot)->getValue (parameters.getParameterByName (parameterName)->getIndex());
        }

        /** The switch positions the engine derives from a value. */
        static int waveform (float v)   { return (int) std::floor (v * 5.0f + 0.5f); }
        static int syncMode (float v)   { return (int) std::floor (v * 3.0f + 0.5f); }

        bool anyPreset (const std::function<bool (int)>& predicate) const
        {
            for (int slot = 0; slot < numFactoryPresets; ++slot)
                if (predicate (slot))
                    return true;

            return false;
        }

        ParameterManager parameters;
        PresetFormat format { parameters, "Halvenek" };
        Preset defaults { numValues };
        PresetBank bank { numValues };
        bool loaded = false;
    };
}

TEST_F (FactoryBankTest, HasSixGroupsOfEightyPresetsAndNotUsed)
{
    ASSERT_TRUE (loaded);
    EXPECT_EQ (bank.getName(), "Preset Bank");
    ASSERT_EQ (bank.getGroupCount(), 7);

    const int sizes[] = { 27, 5, 13, 10, 11, 14, 48 };

    for (int g = 0; g < 7; ++g)
        EXPECT_EQ (bank.getGroupSize (g), sizes[g]) << g;

    EXPECT_EQ (bank.getGroupName (0), "_Regular");
    EXPECT_EQ (bank.getGroupName (1), "_Famous");
    EXPECT_EQ (bank.getGroupName (2), "_Synchronized");
    EXPECT_EQ (bank.getGroupName (6), "Not used");

    for (int g = 3; g < 6; ++g)
        EXPECT_FALSE (bank.getGroupName (g).isEmpty() || bank.getGroupName (g).startsWithChar ('_')) << g;

    EXPECT_EQ (bank.findGroupOfPreset (79), 5);
    EXPECT_EQ (bank.findGroupOfPreset (80), 6);
    EXPECT_EQ (bank.getPresetName (80), "Preset 80");
}

TEST_F (FactoryBankTest, EveryPresetHasItsOwnNameAndItsOwnValues)
{
    ASSERT_TRUE (loaded);
    std::set<juce::String> names;
    std::set<std::vector<float>> valueSets;

    for (int slot = 0; slot < numFactoryPresets; ++slot)
    {
        const auto* preset = bank.getPreset (slot);
        EXPECT_TRUE (preset->getName().isNotEmpty());
        names.insert (preset->getName());

        std::vector<float> values;

        for (int i = 0; i < numValues; ++i)
        {
            values.push_back (preset->getValue (i));
            EXPECT_TRUE (values.back() >= 0.0f && values.back() <= 1.0f) << preset->getName() << " " << i;
        }

        valueSets.insert (values);
    }

    EXPECT_EQ (names.size(), (size_t) numFactoryPresets);
    EXPECT_EQ (valueSets.size(), (size_t) numFactoryPresets);
}

TEST_F (FactoryBankTest, EveryPresetIsAudibleAndDoesSomething)
{
    ASSERT_TRUE (loaded);

    for (int slot = 0; slot < numFactoryPresets; ++slot)
    {
        const auto name = bank.getPresetName (slot);
        EXPECT_GT (value (slot, "Output Volume"), 0.3f) << name;
        EXPECT_LT (value (slot, "Output Volume"), 0.8f) << name;
        EXPECT_GT (value (slot, "FX"), 0.0f) << name;
        EXPECT_GT (value (slot, "Path 1 Volume") + value (slot, "Path 2 Volume"), 0.0f) << name;
    }

    // Slot 0 is what a fresh instance plays: a chorus with the dry signal in the mix.
    EXPECT_GT (value (0, "FX"), 0.2f);
    EXPECT_LT (value (0, "FX"), 0.8f);
    EXPECT_GT (value (0, "LFO 1 Depth"), 0.0f);
}

TEST_F (FactoryBankTest, CoversTheEngineFeatures)
{
    ASSERT_TRUE (loaded);

    const auto synced = [this] (int slot) { return syncMode (value (slot, "LFO 1 Sync")) != 0; };

    EXPECT_TRUE (anyPreset ([&] (int s) { return waveform (value (s, "LFO 1 Waveform")) == 5 && ! synced (s); }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return waveform (value (s, "LFO 1 Waveform")) == 5 && synced (s); }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "FX") == 1.0f && value (s, "LFO 1 Depth") > 0.0f; }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "BBD") >= 0.5f; }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "BBD") < 0.5f; }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "Hi Pass Frequency") > 0.1f; }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "LFO 1 Tremolo") == 1.0f && synced (s); }));
    EXPECT_TRUE (anyPreset ([&] (int s) { return value (s, "LFO 2 Synchronize") >= 0.5f; }));

    for (int mode : { 1, 2, 3 })
        EXPECT_TRUE (anyPreset ([&] (int s) { return syncMode (value (s, "LFO 1 Sync")) == mode; })) << mode;

    for (int wave = 0; wave < 6; ++wave)
        EXPECT_TRUE (anyPreset ([&] (int s) { return waveform (value (s, "LFO 1 Waveform")) == wave; })) << wave;

    // Every preset of "_Synchronized" follows the host tempo.
    for (int slot = bank.getGroupStart (2); slot <= bank.getGroupEnd (2); ++slot)
        EXPECT_TRUE (synced (slot)) << bank.getPresetName (slot);
}

TEST_F (FactoryBankTest, DefaultPresetHoldsTheParameterDefaults)
{
    const auto root = XmlReading::parse (Resources::loadResourceText ("Default.HLPRS"));
    ASSERT_NE (root, nullptr);

    Preset preset (numValues);
    ASSERT_TRUE (format.loadPreset (*root, preset));
    EXPECT_EQ (preset.getName(), "empty");

    for (int i = 0; i < numValues; ++i)
        EXPECT_FLOAT_EQ (preset.getValue (i), defaults.getValue (i)) << i;

    EXPECT_NE (Resources::findResource ("DEFAULT.hlprsb"), nullptr);
}
