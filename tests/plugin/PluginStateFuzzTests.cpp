#include "framework/parameters/XmlReading.h"
#include "framework/plugin/PluginState.h"
#include "product/Halvenek.h"

#include "RandomBytes.h"

#include <gtest/gtest.h>

// Damaged and hostile state blocks, as a broken or tampered host project delivers them.
// Whatever the bytes, nothing may crash or hang, and a block that is refused must leave
// the instance exactly as it was.
namespace
{
    juce::MemoryBlock stateOf (juce::AudioProcessor& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    void setLength (juce::MemoryBlock& block, juce::int32 length)
    {
        const auto littleEndian = juce::ByteOrder::swapIfBigEndian ((juce::uint32) length);
        block.copyFrom (&littleEndian, 4, 4);
    }

    /** Makes a damaged copy of a valid block; the kind of damage cycles with the case number. */
    juce::MemoryBlock damage (const juce::MemoryBlock& valid, int caseNumber, juce::Random& random)
    {
        juce::MemoryBlock block (valid);
        auto* bytes = static_cast<juce::uint8*> (block.getData());
        const int size = (int) block.getSize();

        switch (caseNumber % 6)
        {
            case 0:     // truncated anywhere, header included
                block.setSize ((size_t) random.nextInt (size));
                break;

            case 1:     // a few flipped bits in the text or the header
                for (int flips = 1 + random.nextInt (4); --flips >= 0;)
                    bytes[random.nextInt (size)] ^= (juce::uint8) (1 << random.nextInt (8));
                break;

            case 2:     // a run of random bytes inside the text
            {
                const int start = 8 + random.nextInt (size - 8);
                const int length = juce::jmin (size - start, 1 + random.nextInt (16));
                fillWithRandomBytes (random, bytes + start, (size_t) length);
                break;
            }

            case 3:     // a length field that does not fit the block
            {
                const juce::int32 lengths[] = { -1, -random.nextInt (1 << 30), std::numeric_limits<juce::int32>::min(),
                                                std::numeric_limits<juce::int32>::max(), size, size - 9 - random.nextInt (size - 9), 0 };
                setLength (block, lengths[random.nextInt (juce::numElementsInArray (lengths))]);
                break;
            }

            case 4:     // random bytes behind a valid header
                fillWithRandomBytes (random, bytes + 8, (size_t) (size - 8));
                break;

            default:    // random bytes of random length, no header at all
                block.setSize ((size_t) random.nextInt (300));
                fillWithRandomBytes (random, block.getData(), block.getSize());
                break;
        }

        return block;
    }

    bool isStateOfThisProduct (const juce::MemoryBlock& block)
    {
        auto document = PluginState::unwrap (block.getData(), (int) block.getSize());
        return document != nullptr && XmlReading::hasTag (*document, "PluginState")
                 && XmlReading::getAttribute (*document, "application").equalsIgnoreCase ("Halvenek");
    }

    class PluginStateFuzzTest : public ::testing::Test
    {
    protected:
        PluginStateFuzzTest()
        {
            juce::Random values (99);

            for (int i = 0; i < Halvenek::numParameters; ++i)
                plugin->getParameterManager().setParameterNormalisedValue (i, values.nextFloat());

            auto& parameters = plugin->getParameterManager();

            for (int c = 0; c < 10; ++c)
                plugin->getMidiControl().assign (c * 11, parameters.getParameter (c * 2), false);

            // A program state that is not a preset still re-applies the current slot, so
            // the slot holds the live values and re-applying it changes nothing.
            plugin->storePreset (plugin->getCurrentPresetNumber());

            valid = stateOf (*plugin);
        }

        std::unique_ptr<Halvenek> plugin = Halvenek::create();
        juce::MemoryBlock valid;
    };
}

TEST_F (PluginStateFuzzTest, DamagedFullStatesAreRefusedWithoutAnyChange)
{
    juce::Random random (0x4841);
    int refused = 0;

    for (int i = 0; i < 3000; ++i)
    {
        const auto block = damage (valid, i, random);
        const bool accepted = isStateOfThisProduct (block);
        plugin->setStateInformation (block.getData(), (int) block.getSize());

        if (accepted)
        {
            plugin->setStateInformation (valid.getData(), (int) valid.getSize());
        }
        else
        {
            ++refused;
            ASSERT_EQ (stateOf (*plugin), valid) << "case " << i;
        }
    }

    EXPECT_GT (refused, 1000);
    EXPECT_EQ (stateOf (*plugin), valid);
}

TEST_F (PluginStateFuzzTest, DamagedProgramStatesAreRefusedWithoutAnyChange)
{
    juce::MemoryBlock program;
    plugin->getCurrentProgramStateInformation (program);

    // A preset document is the program block whenever there is a bank to make one.
    if (program.isEmpty())
    {
        auto preset = XmlReading::parse (R"(<Preset application="Halvenek" name="Fuzz"><param name="FX" value="0.5"/><param name="BBD" value="1"/></Preset>)");
        PluginState::wrap (*preset, program);
    }

    juce::Random random (0x5052);

    for (int i = 0; i < 3000; ++i)
    {
        const auto block = damage (program, i, random);
        plugin->setCurrentProgramStateInformation (block.getData(), (int) block.getSize());

        if (PluginState::unwrap (block.getData(), (int) block.getSize()) != nullptr)
            plugin->setStateInformation (valid.getData(), (int) valid.getSize());
        else
            ASSERT_EQ (stateOf (*plugin), valid) << "case " << i;
    }
}

TEST_F (PluginStateFuzzTest, HostileBlocksOfEveryKindAreSurvived)
{
    // Texts wrapped as they are, bypassing the XML writer that would escape them.
    // Bytes wrapped as they are, bypassing the XML writer that would escape them.
    const auto wrapText = [] (const std::string& bytes)
    {
        juce::MemoryBlock block ("VC2!", 4);
        block.setSize (8, true);
        setLength (block, (juce::int32) bytes.size());
        block.append (bytes.data(), bytes.size());
        block.append ("\0\0", 2);
        return block;
    };

    const auto deep = "<PluginState application=\"Halvenek\">" + juce::String::repeatedString ("<ParametersState>", 50000);

    const auto longName = juce::String::repeatedString ("LFO 1 Rate", 200000);

    const juce::MemoryBlock blocks[] = {
        wrapText (deep.toStdString()),
        wrapText (R"(<!DOCTYPE s [<!ENTITY a "&aa;">]><PluginState application="Halvenek">&a;</PluginState>)"),
        wrapText ((R"(<PluginState application="Halvenek"><ParametersState><param name=")" + longName + R"(" value="1"/></ParametersState></PluginState>)").toStdString()),
        wrapText ((R"(<PluginState application=")" + longName + R"("/>)").toStdString()),
        wrapText ("<PluginState application=\"Halvenek\">\xc3\x28</PluginState>"),
        wrapText ("<PluginState application=\"Halvenek\"><ParametersState><param name=\"FX\" value=\"0.2\"/>"),
        juce::MemoryBlock ("VC2!\xff\xff\xff\x7f<PluginState", 20),
        juce::MemoryBlock ("VC2!\x00\x00\x00\x80<PluginState", 20),
        juce::MemoryBlock ("VC2!\x05\x00\x00\x00", 8),
        juce::MemoryBlock ("VC2!\x05\x00\x00\x00<", 9),
        juce::MemoryBlock()
    };

    for (auto& block : blocks)
    {
        plugin->setStateInformation (block.getData(), (int) block.getSize());
        plugin->setCurrentProgramStateInformation (block.getData(), (int) block.getSize());
        ASSERT_EQ (stateOf (*plugin), valid) << &block - blocks;
    }

    plugin->setStateInformation (nullptr, 0);
    plugin->setCurrentProgramStateInformation (nullptr, 100);
    EXPECT_EQ (stateOf (*plugin), valid);
}

TEST_F (PluginStateFuzzTest, DocumentsCutInsideATagOrInIllFormedUtf8ChangeNothing)
{
    // Unsaved changes: the live values differ from the current slot, so re-applying the
    // slot would show as well as replacing the bank.
    plugin->getParameterManager().setParameterNormalisedValue (21, 0.123f);
    const auto before = stateOf (*plugin);
    juce::MemoryBlock program;
    plugin->getCurrentProgramStateInformation (program);

    const auto textOf = [] (const juce::MemoryBlock& block) { return std::string (static_cast<const char*> (block.getData()) + 8, block.getSize() - 10); };
    const auto wrapWithLength = [] (const std::string& text, juce::int32 length)
    {
        juce::MemoryBlock block ("VC2!", 4);
        block.setSize (8, true);
        setLength (block, length);
        block.append (text.data(), text.size());
        block.append ("\0\0", 2);
        return block;
    };

    juce::Random random (0x3c2f);
    const std::string illFormed[] { "\xc0\x80", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xc1\xbf" };
    std::vector<juce::MemoryBlock> blocks;

    for (const auto& text : { textOf (before), textOf (program) })
    {
        // Cut inside each kind of closing tag: by the text's end, by the length field and by
        // a zero byte; and inside the root's start tag.
        for (size_t at = text.find ("</"); at != std::string::npos; at = text.find ("</", at + 1))
        {
            const auto cut = at + 1 + (size_t) random.nextInt ((int) (text.find ('>', at) - at - 1));
            blocks.push_back (wrapWithLength (text.substr (0, cut), (juce::int32) cut));
            blocks.push_back (wrapWithLength (text, (juce::int32) cut));
            blocks.push_back (wrapWithLength (text.substr (0, cut) + '\0' + text.substr (cut + 1), (juce::int32) text.size()));
        }

        const auto inStartTag = (size_t) 2 + (size_t) random.nextInt ((int) text.find ('>') - 2);
        blocks.push_back (wrapWithLength (text.substr (0, inStartTag), (juce::int32) inStartTag));

        for (const auto& bytes : illFormed)
        {
            auto damaged = text;
            damaged.insert (damaged.find ("name=\"", damaged.find ("<Preset ")) + 6, bytes);
            blocks.push_back (wrapWithLength (damaged, (juce::int32) damaged.size()));
        }
    }

    for (const auto& block : blocks)
    {
        plugin->setStateInformation (block.getData(), (int) block.getSize());
        plugin->setCurrentProgramStateInformation (block.getData(), (int) block.getSize());
        ASSERT_EQ (stateOf (*plugin), before) << &block - blocks.data() << ": " << textOf (block).substr (0, 200);
    }
}
