#include "StereoBuffer.h"
#include "VstTestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{
    bool contains (const std::vector<char>& chunk, const std::string& text)
    {
        return std::search (chunk.begin(), chunk.end(), text.begin(), text.end()) != chunk.end();
    }

    bool hasStateHeader (const std::vector<char>& chunk)
    {
        return chunk.size() > 10 && std::string (chunk.begin(), chunk.begin() + 4) == "VC2!";
    }

    bool reported (const std::vector<VstTestHost::Automation>& automation, int index)
    {
        return std::any_of (automation.begin(), automation.end(), [index] (auto& a) { return a.index == index; });
    }

    class VstStateTest : public testing::Test
    {
    protected:
        std::unique_ptr<VstTestHost::Instance> plugin = VstTestHost::shared().create();
    };
}

TEST_F (VstStateTest, HostChangesAreNotEchoedAsAutomation)
{
    plugin->takeAutomation();

    plugin->setParameter (3, 0.7f);
    plugin->setParameter (21, 0.1f);

    EXPECT_FLOAT_EQ (plugin->getParameter (3), 0.7f);
    EXPECT_TRUE (plugin->takeAutomation().empty());
}

TEST_F (VstStateTest, BankAndProgramChunksCarryFullStateAndCurrentPreset)
{
    const auto bank = plugin->getChunk (false);
    const auto program = plugin->getChunk (true);

    ASSERT_TRUE (hasStateHeader (bank));
    ASSERT_TRUE (hasStateHeader (program));
    EXPECT_TRUE (contains (bank, "<PluginState"));
    EXPECT_TRUE (contains (bank, "<PresetBank"));
    EXPECT_TRUE (contains (program, "<Preset "));
    EXPECT_FALSE (contains (program, "<PluginState"));
    EXPECT_NE (bank, program);
}

TEST_F (VstStateTest, BankChunkRestoresParametersAndReportsThem)
{
    plugin->setParameter (3, 0.61f);
    plugin->setParameter (20, 0.37f);
    const auto saved = plugin->allParameters();
    const auto chunk = plugin->getChunk (false);
    ASSERT_FALSE (chunk.empty());

    plugin->setParameter (3, 0.05f);
    plugin->setParameter (20, 0.9f);
    plugin->takeAutomation();

    plugin->setChunk (false, chunk);

    EXPECT_EQ (plugin->allParameters(), saved);

    // A restore is no host automation: the host hears of the changed values.
    const auto automation = plugin->takeAutomation();
    EXPECT_TRUE (reported (automation, 3));
    EXPECT_TRUE (reported (automation, 20));
}

TEST_F (VstStateTest, ChunksRestoreIntoAnotherInstance)
{
    plugin->setParameter (12, 0.83f);
    const auto saved = plugin->allParameters();
    const auto chunk = plugin->getChunk (false);

    auto other = VstTestHost::shared().create();
    other->setChunk (false, chunk);

    EXPECT_EQ (other->allParameters(), saved);
    EXPECT_EQ (other->getChunk (false), chunk);
}

TEST_F (VstStateTest, ProgramChunkBringsBackTheStoredPreset)
{
    const auto preset = plugin->getChunk (true);
    ASSERT_FALSE (preset.empty());

    // The current preset holds what was stored in it, whatever the parameters did since.
    auto reference = VstTestHost::shared().create();
    reference->setChunk (true, preset);
    const auto storedValues = reference->allParameters();

    plugin->setParameter (0, 0.99f);
    plugin->setParameter (22, 0.01f);
    plugin->setChunk (true, preset);

    EXPECT_EQ (plugin->allParameters(), storedValues);
}

TEST_F (VstStateTest, DamagedOrEmptyChunksChangeNothing)
{
    plugin->setParameter (4, 0.42f);
    auto chunk = plugin->getChunk (false);
    plugin->setParameter (4, 0.13f);
    const auto before = plugin->allParameters();

    std::vector<std::vector<char>> damaged;

    auto wrongMagic = chunk;
    if (! wrongMagic.empty())
        wrongMagic[0] ^= 0x5a;
    damaged.push_back (wrongMagic);

    damaged.emplace_back (chunk.begin(), chunk.begin() + std::min<size_t> (8, chunk.size()));
    damaged.push_back ({ 'V', 'C', '2', '!', 0, 0, 0, 0, 0, 0 });
    damaged.push_back ({ 'V', 'C', '2', '!', -1, -1, -1, -1, '<', 'x', 0 });
    damaged.push_back ({ 'V', 'C', '2', '!', 20, 0, 0, 0, '<', 'P', 'l', 'u', 'g', 0 });

    std::string foreign = "<PluginState application=\"Other\"><ParametersState><param name=\"LFO 1 Offset\" value=\"0.9\"/></ParametersState></PluginState>";
    std::vector<char> foreignChunk { 'V', 'C', '2', '!' };
    const auto length = (int) foreign.size();
    for (int shift = 0; shift < 32; shift += 8)
        foreignChunk.push_back ((char) ((length >> shift) & 0xff));
    foreignChunk.insert (foreignChunk.end(), foreign.begin(), foreign.end());
    foreignChunk.push_back (0);
    foreignChunk.push_back (0);
    damaged.push_back (foreignChunk);

    for (const auto& bytes : damaged)
    {
        plugin->setChunk (false, bytes);
        EXPECT_EQ (plugin->allParameters(), before);
    }

    EXPECT_EQ (plugin->dispatch (effSetChunk, 0, 0, chunk.data()), 0);
    EXPECT_EQ (plugin->dispatch (effSetChunk, 0, (VstIntPtr) chunk.size(), nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effSetChunk, 0, -5, chunk.data()), 0);
    EXPECT_EQ (plugin->dispatch (effSetChunk, 1, 0, nullptr), 0);
    EXPECT_EQ (plugin->allParameters(), before);

    EXPECT_EQ (plugin->dispatch (effGetChunk, 0, 0, nullptr), 0);
}

TEST_F (VstStateTest, ChunkStaysReadableUntilTheNextRequest)
{
    void* first = nullptr;
    const auto size = plugin->dispatch (effGetChunk, 0, 0, &first);
    ASSERT_GT (size, 0);
    const std::vector<char> copy (static_cast<char*> (first), static_cast<char*> (first) + size);

    // Calls in between do not touch the memory the host borrowed.
    plugin->setParameter (6, 0.5f);
    plugin->parameterDisplay (6);
    EXPECT_EQ (std::vector<char> (static_cast<char*> (first), static_cast<char*> (first) + size), copy);

    void* second = nullptr;
    EXPECT_GT (plugin->dispatch (effGetChunk, 1, 0, &second), 0);
    EXPECT_NE (second, nullptr);
}

TEST_F (VstStateTest, ProgramChangeByMidiIsReportedAsAutomation)
{
    const auto before = plugin->allParameters();
    plugin->resume();
    plugin->takeAutomation();

    plugin->sendProgramChange (1);

    auto signal = StereoBuffer::testSignal (44100, 44100.0);
    float* channels[] { signal.left.data(), signal.right.data() };
    plugin->processReplacing (channels, channels, signal.size());

    EXPECT_NE (plugin->allParameters(), before);
    EXPECT_FALSE (plugin->takeAutomation().empty());
}
