#include "LV2TestHost.h"
#include "VstTestHost.h"

#include <lv2/core/lv2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace
{
    LV2TestHost& lv2()   { return LV2TestHost::shared(); }

    std::string parameterUri (const std::string& label)
    {
        const auto uris = lv2().parameterUrisByLabel();
        const auto found = uris.find (label);
        return found != uris.end() ? found->second : std::string();
    }

    /** The values the plug-in plays, by parameter name, as the VST 2.4 build reports them
        (names cut to 15 bytes there). */
    std::map<std::string, float> vstValues (VstTestHost::Instance& vst)
    {
        std::map<std::string, float> values;
        const auto all = vst.allParameters();

        for (const auto& [label, uri] : lv2().parameterUrisByLabel())
            for (int i = 0; i < (int) all.size(); ++i)
                if (label.rfind (vst.parameterName (i), 0) == 0)
                    values[uri] = all[(size_t) i];

        return values;
    }

    void expectSameValues (const std::map<std::string, float>& actual, const std::map<std::string, float>& expected)
    {
        ASSERT_EQ (actual.size(), expected.size());

        for (const auto& [uri, value] : expected)
        {
            ASSERT_EQ (actual.count (uri), 1u) << uri;
            EXPECT_NEAR (actual.at (uri), value, 1.0e-6f) << uri;
        }
    }

    std::string runCommand (const std::string& command, int& status)
    {
        std::string output;
        auto* pipe = popen ((command + " 2>&1").c_str(), "r");
        char buffer[512];

        while (pipe != nullptr && std::fgets (buffer, sizeof (buffer), pipe) != nullptr)
            output += buffer;

        status = pipe != nullptr ? pclose (pipe) : -1;
        return output;
    }

    /** The VST 2.4 build after a MIDI program change and one block. */
    std::unique_ptr<VstTestHost::Instance> vstAfterProgramChange (int program)
    {
        auto vst = VstTestHost::shared().create();
        vst->resume();
        vst->sendProgramChange (program);

        StereoBuffer block (LV2TestHost::blockSize);
        float* channels[] { block.left.data(), block.right.data() };
        vst->processReplacing (channels, channels, block.size());
        return vst;
    }

    float maxDifference (const StereoBuffer& a, const StereoBuffer& b)
    {
        float difference = 0;

        for (int i = 0; i < a.size(); ++i)
            difference = std::max ({ difference, std::abs (a.left[(size_t) i] - b.left[(size_t) i]),
                                                 std::abs (a.right[(size_t) i] - b.right[(size_t) i]) });

        return difference;
    }
}

TEST (LV2DescriptionTest, ValidatesCleanlyAndIsFiledAsAChorusWithoutABogusMailbox)
{
    int status = 0;
    const auto report = runCommand ("lv2_validate " HALVENEK_LV2_BUNDLE "/*.ttl", status);
    EXPECT_EQ (status, 0) << report;
    EXPECT_NE (report.find ("Found 0 errors"), std::string::npos) << report;
    EXPECT_EQ (report.find ("error:"), std::string::npos) << report;

    auto* type = lilv_new_uri (lv2().world(), LILV_NS_RDF "type");
    auto* chorus = lilv_new_uri (lv2().world(), LV2_CORE__ChorusPlugin);
    auto* classes = lilv_plugin_get_value (lv2().plugin(), type);
    EXPECT_TRUE (lilv_nodes_contains (classes, chorus));
    lilv_nodes_free (classes);
    lilv_node_free (type);
    lilv_node_free (chorus);

    auto* mailbox = lilv_plugin_get_author_email (lv2().plugin());
    EXPECT_TRUE (mailbox == nullptr || std::string (lilv_node_as_string (mailbox)).rfind ("mailto:", 0) == 0);
    lilv_node_free (mailbox);

    EXPECT_EQ (lv2().parameterUrisByLabel().size(), 23u);
}

TEST (LV2ControlsTest, HostControlsShowWhatThePluginPlaysAndHostChangesAreKept)
{
    auto vst = VstTestHost::shared().create();
    auto plugin = lv2().create();
    ASSERT_NE (plugin, nullptr);

    // After instantiation: the starting preset's values, as the VST 2.4 build has them,
    // told in the first block even to a host that never asks.
    plugin->render (StereoBuffer (64));
    expectSameValues (plugin->reportedValues(), vstValues (*vst));
    expectSameValues (plugin->askValues(), vstValues (*vst));

    // One property asked alone answers alone.
    plugin->sendGet (parameterUri ("FX"));
    plugin->render (StereoBuffer (64));
    EXPECT_EQ (plugin->reportedValues().size(), 1u);

    // A MIDI program change: the controls follow without being asked.
    plugin->sendMidi ({ 0xc0, 7 });
    plugin->render (StereoBuffer (LV2TestHost::blockSize));
    const auto afterProgram = vstValues (*vstAfterProgramChange (7));
    ASSERT_NE (afterProgram, vstValues (*vst));

    const auto followed = plugin->reportedValues();
    EXPECT_GT (followed.size(), 5u);

    for (const auto& [uri, value] : followed)
        EXPECT_NEAR (value, afterProgram.at (uri), 1.0e-6f) << uri;

    expectSameValues (plugin->askValues(), afterProgram);

    // A value set by the host changes what plays and travels in the saved state.
    plugin->sendSet (parameterUri ("FX"), 0.125f);
    plugin->render (StereoBuffer (64));
    EXPECT_NEAR (plugin->askValues().at (parameterUri ("FX")), 0.125f, 1.0e-6f);
    const auto state = plugin->saveState();
    ASSERT_FALSE (state.empty());

    auto restored = lv2().create();
    ASSERT_TRUE (restored->restoreState (state));
    const auto afterRestore = restored->askValues();
    EXPECT_NEAR (afterRestore.at (parameterUri ("FX")), 0.125f, 1.0e-6f);
    expectSameValues (afterRestore, plugin->askValues());

    // A value no parameter can take leaves the sound and the controls finite.
    restored->sendSet (parameterUri ("FX"), std::numeric_limits<float>::quiet_NaN());
    const auto output = restored->render (StereoBuffer::testSignal (4096, LV2TestHost::sampleRate));
    EXPECT_TRUE (std::all_of (output.left.begin(), output.left.end(), [] (float x) { return std::isfinite (x); }));
    EXPECT_TRUE (std::isfinite (restored->askValues().at (parameterUri ("FX"))));
}

TEST (LV2PresetsTest, HostsListTheSlotsAndChoosingOneSelectsItAsAProgramChangeDoes)
{
    const auto presets = lv2().presets();
    ASSERT_EQ (presets.size(), 128u);

    std::set<std::string> names;

    for (const auto& [label, uri] : presets)
        names.insert (label);

    EXPECT_GT (names.size(), 64u);
    EXPECT_EQ (names.count (""), 0u);

    const auto slot5 = std::find_if (presets.begin(), presets.end(), [] (const auto& p) { return p.second.size() > 8 && p.second.substr (p.second.size() - 8) == ":preset6"; });
    ASSERT_NE (slot5, presets.end());

    auto plugin = lv2().create();
    ASSERT_TRUE (plugin->loadPreset (slot5->second));
    const auto chosen = plugin->askValues();

    expectSameValues (chosen, vstValues (*vstAfterProgramChange (5)));
}

TEST (LV2TransportTest, TempoSyncedLfosLockToTheHostsBarAsUnderVst)
{
    // LFOs locked to the tempo, fully wet, deep enough to hear where they stand.
    const std::vector<std::pair<std::string, float>> settings { { "LFO 1 Sync", 1.0f / 3.0f }, { "LFO 2 Sync", 1.0f / 3.0f },
                                                               { "LFO 1 Note Rate", 0.5f }, { "LFO 2 Note Rate", 0.5f },
                                                               { "LFO 1 Depth", 1.0f }, { "LFO 2 Depth", 1.0f },
                                                               { "FX", 1.0f } };
    const auto input = StereoBuffer::testSignal (2 * (int) LV2TestHost::sampleRate, LV2TestHost::sampleRate);

    // The VST 2.4 host's transport rolls from bar 3, beat 2.5 (9.5 quarter notes) at 120 BPM.
    auto vst = VstTestHost::shared().create();
    vst->setTransportStart (9.5);
    vst->resume ((float) LV2TestHost::sampleRate, LV2TestHost::blockSize);

    for (const auto& [name, value] : settings)
        for (int i = 0; i < 23; ++i)
            if (name.rfind (vst->parameterName (i), 0) == 0)
                vst->setParameter (i, value);

    StereoBuffer vstOutput = input;

    for (int start = 0; start < input.size(); start += LV2TestHost::blockSize)
    {
        float* channels[] { vstOutput.left.data() + start, vstOutput.right.data() + start };
        vst->processReplacing (channels, channels, std::min (LV2TestHost::blockSize, input.size() - start));
    }

    // Ardour sends the bar and the beat in it, once, when the transport starts.
    const auto renderLv2 = [&] (double barBeat)
    {
        auto plugin = lv2().create();

        for (const auto& [name, value] : settings)
            plugin->sendSet (parameterUri (name), value);

        LV2TestHost::Position position;
        position.bar = 2;
        position.barBeat = barBeat;
        plugin->sendPosition (position);
        return plugin->render (input);
    };

    EXPECT_LT (maxDifference (renderLv2 (1.5), vstOutput), 1.0e-4f);
    EXPECT_GT (maxDifference (renderLv2 (0.0), vstOutput), 1.0e-2f);
}
