#include "framework/parameters/XmlReading.h"
#include "framework/plugin/PluginState.h"
#include "product/Halvenek.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
    // The bytes are wrapped as they are, so that they can also be invalid UTF-8.
    juce::MemoryBlock blockWithText (const std::string& bytes, juce::int32 length)
    {
        juce::MemoryBlock block;
        juce::MemoryOutputStream out (block, false);
        out.writeInt ((int) PluginState::magic);
        out.writeInt (length);
        out.write (bytes.data(), bytes.size());
        out.writeShort (0);
        out.flush();
        return block;
    }

    juce::MemoryBlock blockWithText (const std::string& bytes)
    {
        return blockWithText (bytes, (juce::int32) bytes.size());
    }

    std::unique_ptr<juce::XmlElement> unwrap (const juce::MemoryBlock& block)
    {
        return PluginState::unwrap (block.getData(), (int) block.getSize());
    }

    juce::MemoryBlock stateOf (juce::AudioProcessor& processor)
    {
        juce::MemoryBlock block;
        processor.getStateInformation (block);
        return block;
    }

    void restore (juce::AudioProcessor& processor, const juce::MemoryBlock& block)
    {
        processor.setStateInformation (block.getData(), (int) block.getSize());
    }

    void restoreText (juce::AudioProcessor& processor, const juce::String& text)
    {
        restore (processor, blockWithText (text.toStdString()));
    }

    std::vector<float> valuesOf (BasePlugin& plugin)
    {
        std::vector<float> values;

        for (int i = 0; i < Halvenek::numParameters; ++i)
            values.push_back (plugin.getParameterManager().getParameterNormalisedValue (i));

        return values;
    }

    juce::String mapTextOf (BasePlugin& plugin)
    {
        return XmlReading::toDocumentText (*plugin.getMidiControl().createMapXml());
    }

    /** A product with a stand-in for the preset bank, to see what the state hands to it. */
    struct HalvenekWithPresetsProbe : Halvenek
    {
        std::unique_ptr<juce::XmlElement> createPresetsState() override
        {
            auto presets = std::make_unique<juce::XmlElement> ("PresetsState");
            presets->setAttribute ("currentPreset", 7);
            return presets;
        }

        void loadPresetsState (const juce::XmlElement& element) override
        {
            presetsStatesLoaded.add (XmlReading::toDocumentText (element));
        }

        std::unique_ptr<juce::XmlElement> createCurrentPresetElement() override
        {
            return XmlReading::parse (R"(<Preset application="Halvenek" name="Warm"><param name="FX" value="0.25"/></Preset>)");
        }

        void loadCurrentPresetElement (const juce::XmlElement& element) override
        {
            presetsLoaded.add (element.getTagName() + " " + element.getStringAttribute ("application"));
        }

        juce::StringArray presetsStatesLoaded, presetsLoaded;
    };

    class PluginStateTest : public ::testing::Test
    {
    protected:
        std::unique_ptr<Halvenek> plugin = Halvenek::create();

        Parameter& parameter (const juce::String& name)
        {
            auto* p = plugin->getParameterManager().getParameterByName (name);
            EXPECT_NE (p, nullptr) << name;
            return *p;
        }
    };
}

//==============================================================================
TEST (PluginStateBlock, WrapsAsMagicLengthTextAndTwoZeroBytes)
{
    auto document = XmlReading::parse (R"(<A b="1"><C d="&quot;x&quot;"/><E/></A>)");
    juce::MemoryBlock block ("leftover bytes", 14);
    PluginState::wrap (*document, block);

    const juce::String expectedText (R"(<A b="1"><C d="&quot;x&quot;"/><E/></A>)");
    const auto length = (int) expectedText.getNumBytesAsUTF8();
    const auto* bytes = static_cast<const juce::uint8*> (block.getData());

    ASSERT_EQ ((int) block.getSize(), length + 10);
    EXPECT_EQ (std::memcmp (bytes, "VC2!", 4), 0);
    EXPECT_EQ ((int) juce::ByteOrder::littleEndianInt (bytes + 4), length);
    EXPECT_EQ (juce::String::fromUTF8 ((const char*) bytes + 8, length), expectedText);
    EXPECT_EQ (bytes[8 + length], 0);
    EXPECT_EQ (bytes[9 + length], 0);

    auto back = unwrap (block);
    ASSERT_NE (back, nullptr);
    EXPECT_TRUE (back->isEquivalentTo (document.get(), false));
}

TEST (PluginStateBlock, UnwrapRefusesMalformedBlocks)
{
    const juce::String text ("<PluginState application=\"Halvenek\"/>");
    const auto good = blockWithText (text.toStdString());
    ASSERT_NE (unwrap (good), nullptr);

    EXPECT_EQ (PluginState::unwrap (nullptr, 100), nullptr);
    EXPECT_EQ (PluginState::unwrap (good.getData(), 8), nullptr);
    EXPECT_EQ (PluginState::unwrap (good.getData(), 0), nullptr);
    EXPECT_EQ (PluginState::unwrap (good.getData(), -5), nullptr);

    auto alteredMagic = good;
    static_cast<char*> (alteredMagic.getData())[0] ^= 1;
    EXPECT_EQ (unwrap (alteredMagic), nullptr);

    for (auto length : { 0, -1, -100000, std::numeric_limits<juce::int32>::min() })
        EXPECT_EQ (unwrap (blockWithText (text.toStdString(), length)), nullptr) << length;

    // A length that cuts into the document leaves no document.
    EXPECT_EQ (unwrap (blockWithText (text.toStdString(), 20)), nullptr);

    EXPECT_EQ (unwrap (blockWithText (std::string ("<PluginState application=\"Halvenek\"><x a=\"\xff\xfe\"/></PluginState>"))), nullptr);
    EXPECT_EQ (unwrap (blockWithText (std::string ("<PluginState application=\"Halvenek\"/>\xc3"))), nullptr);
    EXPECT_EQ (unwrap (blockWithText (std::string ("not xml at all"))), nullptr);
}

TEST (PluginStateBlock, ALengthBeyondTheBlockReadsWhatTheBlockHolds)
{
    const juce::String text ("<PluginState application=\"Halvenek\"/>");

    for (auto length : { (juce::int32) text.length() + 1, 1 << 20, std::numeric_limits<juce::int32>::max() })
    {
        auto document = unwrap (blockWithText (text.toStdString(), length));
        ASSERT_NE (document, nullptr) << length;
        EXPECT_EQ (document->getTagName(), "PluginState");
    }
}

TEST (PluginStateBlock, HostileDocumentsAreRefusedOrReadSafely)
{
    EXPECT_EQ (unwrap (blockWithText (juce::String::repeatedString ("<a>", 100000).toStdString())), nullptr);
    EXPECT_EQ (unwrap (blockWithText (R"(<!DOCTYPE s [<!ENTITY a "&aa;">]><PluginState application="Halvenek">&a;</PluginState>)")), nullptr);
    EXPECT_EQ (unwrap (blockWithText (R"(<!DOCTYPE s [<!ENTITY b "&b;&b;&b;&b;">]><PluginState application="&b;"/>)")), nullptr);

    const auto longText = juce::String::repeatedString ("abc", 1000000);
    auto document = unwrap (blockWithText (("<PluginState application=\"" + longText + "\"/>").toStdString()));
    ASSERT_NE (document, nullptr);
    EXPECT_EQ (document->getStringAttribute ("application").length(), longText.length());
}

TEST (PluginStateBlock, ReadsBlocksWrittenByJucesOwnHelper)
{
    // JUCE's helper writes the declaration and one byte less; such blocks still read.
    juce::XmlElement document ("PluginState");
    document.setAttribute ("application", "Halvenek");
    juce::MemoryBlock block;
    juce::AudioProcessor::copyXmlToBinary (document, block);

    auto back = unwrap (block);
    ASSERT_NE (back, nullptr);
    EXPECT_TRUE (back->isEquivalentTo (&document, false));
}

//==============================================================================
TEST_F (PluginStateTest, FullStateListsUniqueDataParametersAndMapInOrder)
{
    plugin->getMidiControl().assign (12, &parameter ("FX"), false);
    parameter ("LFO 1 Depth").setNormalisedValue (1.0f / 3.0f, true);
    parameter ("Path 1 Volume").setNormalisedValue (1.0f, true);

    auto state = unwrap (stateOf (*plugin));
    ASSERT_NE (state, nullptr);
    EXPECT_EQ (state->getTagName(), "PluginState");
    EXPECT_EQ (state->getStringAttribute ("application"), "Halvenek");

    ASSERT_EQ (state->getNumChildElements(), 4);
    EXPECT_EQ (state->getChildElement (0)->getTagName(), "UniqueData");
    EXPECT_EQ (state->getChildElement (0)->getNumAttributes(), 0);
    EXPECT_EQ (state->getChildElement (0)->getNumChildElements(), 0);

    auto* parametersState = state->getChildElement (1);
    EXPECT_EQ (parametersState->getTagName(), "ParametersState");
    ASSERT_EQ (parametersState->getNumChildElements(), Halvenek::numParameters);

    for (int i = 0; i < Halvenek::numParameters; ++i)
    {
        auto* param = parametersState->getChildElement (i);
        EXPECT_EQ (param->getTagName(), "param");
        EXPECT_EQ (param->getStringAttribute ("name"), plugin->getParameterManager().getParameterName (i));
    }

    EXPECT_EQ (parametersState->getChildByAttribute ("name", "LFO 1 Depth")->getStringAttribute ("value"), "0.333333343");
    EXPECT_EQ (parametersState->getChildByAttribute ("name", "Path 1 Volume")->getStringAttribute ("value"), "1");

    EXPECT_EQ (state->getChildElement (2)->getTagName(), "PresetsState");

    auto* map = state->getChildElement (3);
    EXPECT_EQ (map->getTagName(), "MidiControlMap");
    EXPECT_EQ (map->getStringAttribute ("name"), "Halvenek");
    EXPECT_EQ (map->getChildElement (0)->getStringAttribute ("CC"), "12");
}

TEST_F (PluginStateTest, SavedStateRestoresAllValuesAndTheMapExactly)
{
    juce::Random random (23);

    for (int i = 0; i < Halvenek::numParameters; ++i)
        plugin->getParameterManager().setParameterNormalisedValue (i, random.nextFloat());

    plugin->getMidiControl().assign (0, &parameter ("BBD"), false);
    plugin->getMidiControl().assign (127, &parameter ("LFO 2 Rate"), false);

    const auto saved = stateOf (*plugin);
    const auto values = valuesOf (*plugin);
    const auto map = mapTextOf (*plugin);

    auto other = Halvenek::create();
    restore (*other, saved);
    EXPECT_EQ (valuesOf (*other), values);
    EXPECT_EQ (mapTextOf (*other), map);
    EXPECT_EQ (stateOf (*other), saved);
}

TEST_F (PluginStateTest, SavedStateRestoresTheBankAndTheCurrentPreset)
{
    plugin->selectPreset (5, true);
    parameter ("FX").setNormalisedValue (0.125f, true);
    plugin->storePreset (5);
    plugin->renamePreset (5, "Stored Here");
    plugin->selectPreset (7, true);
    parameter ("FX").setNormalisedValue (0.75f, true);   // not stored: only the live value changes

    const auto saved = stateOf (*plugin);

    auto other = Halvenek::create();
    restore (*other, saved);
    EXPECT_EQ (other->getCurrentPresetNumber(), 7);
    EXPECT_EQ (other->getPresetName (5), "Stored Here");
    EXPECT_FLOAT_EQ (other->getPresetValue (5, 21), 0.125f);
    EXPECT_FLOAT_EQ (other->getParameterManager().getParameterNormalisedValue (21), 0.75f);
    EXPECT_EQ (other->getParameterManager().getParameterText (ParameterManager::currentPresetNameIndex),
               plugin->getPresetName (7));
    EXPECT_EQ (stateOf (*other), saved);
}

TEST_F (PluginStateTest, RestoredValuesReachTheHost)
{
    struct HostListener : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override { changes.set (index, value); }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        juce::HashMap<int, float> changes;
    } host;

    plugin->addListener (&host);
    restoreText (*plugin, R"(<PluginState application="Halvenek"><ParametersState><param name="FX" value="0.125"/></ParametersState></PluginState>)");
    plugin->removeListener (&host);

    EXPECT_EQ (host.changes.size(), 1);
    EXPECT_EQ (host.changes[21], 0.125f);
}

TEST_F (PluginStateTest, ParameterEntriesFollowTheReadingRules)
{
    const auto before = valuesOf (*plugin);

    restoreText (*plugin, R"(<pluginstate APPLICATION="HALVENEK">
                               <PARAMETERSSTATE>
                                 <PARAM NAME="LFO 1 Rate" VALUE="0.75"/>
                                 <other name="LFO 1 Depth" value="0.9"/>
                                 <param name="lfo 2 rate" value="0.9"/>
                                 <param name="No Such Parameter" value="0.9"/>
                                 <param name="Output Volume"/>
                                 <param name="FX" value="1.7"/>
                                 <param name="BBD" value="rubbish"/>
                               </PARAMETERSSTATE>
                             </pluginstate>)");

    auto expected = before;
    expected[0] = 0.75f;
    expected[22] = 0.0f;
    expected[21] = 1.0f;
    expected[19] = 0.0f;
    EXPECT_EQ (valuesOf (*plugin), expected);
}

TEST_F (PluginStateTest, ForeignOrMisnamedStatesChangeNothing)
{
    plugin->getMidiControl().assign (3, &parameter ("FX"), false);
    const auto before = stateOf (*plugin);

    const juce::String body (R"(<ParametersState><param name="FX" value="0.9"/></ParametersState><MidiControlMap name="Halvenek"/>)");

    restoreText (*plugin, R"(<PluginState application="Other">)" + body + "</PluginState>");
    restoreText (*plugin, R"(<PluginState>)" + body + "</PluginState>");
    restoreText (*plugin, R"(<PluginStates application="Halvenek">)" + body + "</PluginStates>");
    restoreText (*plugin, R"(<Preset application="Halvenek">)" + body + "</Preset>");

    EXPECT_EQ (stateOf (*plugin), before);
}

TEST_F (PluginStateTest, TheMapIsReplacedOnlyByAMapInTheState)
{
    auto& midi = plugin->getMidiControl();
    midi.assign (3, &parameter ("FX"), false);

    restoreText (*plugin, R"(<PluginState application="Halvenek"><UniqueData><junk a="b"/></UniqueData></PluginState>)");
    EXPECT_EQ (midi.getAssignedParameter (3), &parameter ("FX"));

    restoreText (*plugin, R"(<PluginState application="Halvenek"><midiccmap NAME="halvenek"><assign CC="4" param="BBD"/></midiccmap></PluginState>)");
    EXPECT_EQ (midi.getAssignedParameter (3), nullptr);
    EXPECT_EQ (midi.getAssignedParameter (4), &parameter ("BBD"));

    restoreText (*plugin, R"(<PluginState application="Halvenek"><MidiControlMap name="Other" application="Other"><assign CC="5" param="FX"/></MidiControlMap></PluginState>)");
    EXPECT_EQ (midi.getNumAssignments(), 0);
}

TEST_F (PluginStateTest, ProcessorRoutesControllersAndNamesItsMaps)
{
    EXPECT_EQ (plugin->getMidiControl().getMapName(), "Halvenek");
    EXPECT_EQ (plugin->getMidiMapFileExtension(), ".hlccmap");
    EXPECT_EQ (plugin->getMidiMapFilePatterns(), "*.hlccmap");

    plugin->getMidiControl().assign (7, &parameter ("Output Volume"), false);
    plugin->handleMidiControllerMessage (juce::MidiMessage::controllerEvent (5, 7, 64));
    EXPECT_EQ (parameter ("Output Volume").getNormalisedValue(), 64.0f * 0.007874016f);
}

TEST_F (PluginStateTest, TheHostSeesNoPrograms)
{
    EXPECT_EQ (plugin->getNumPrograms(), 0);
    EXPECT_EQ (plugin->getCurrentProgram(), 0);
    EXPECT_EQ (plugin->getProgramName (0), "");

    const auto before = stateOf (*plugin);
    plugin->setCurrentProgram (5);
    plugin->changeProgramName (0, "Name");
    EXPECT_EQ (plugin->getCurrentProgram(), 0);
    EXPECT_EQ (stateOf (*plugin), before);
}

TEST_F (PluginStateTest, TheProgramStateIsTheCurrentSlotAsAPreset)
{
    plugin->selectPreset (3, true);

    juce::MemoryBlock block ("stale", 5);
    plugin->getCurrentProgramStateInformation (block);

    const auto preset = unwrap (block);
    ASSERT_NE (preset, nullptr);
    EXPECT_EQ (preset->getTagName(), "Preset");
    EXPECT_EQ (preset->getStringAttribute ("application"), "Halvenek");
    EXPECT_EQ (preset->getStringAttribute ("name"), plugin->getPresetName (3));
    EXPECT_EQ (preset->getNumChildElements(), Halvenek::numParameters);
}

//==============================================================================
TEST (PluginStatePresets, PresetsStateSitsBetweenParametersAndMapAndIsHandedBack)
{
    HalvenekWithPresetsProbe plugin;
    plugin.initialise();

    auto state = unwrap (stateOf (plugin));
    ASSERT_NE (state, nullptr);
    ASSERT_EQ (state->getNumChildElements(), 4);
    EXPECT_EQ (state->getChildElement (0)->getTagName(), "UniqueData");
    EXPECT_EQ (state->getChildElement (1)->getTagName(), "ParametersState");
    EXPECT_EQ (state->getChildElement (2)->getTagName(), "PresetsState");
    EXPECT_EQ (state->getChildElement (3)->getTagName(), "MidiControlMap");

    restoreText (plugin, R"(<PluginState application="Halvenek"><presetsstate currentPreset="9"/></PluginState>)");
    restoreText (plugin, R"(<PluginState application="Other"><PresetsState currentPreset="1"/></PluginState>)");
    EXPECT_EQ (plugin.presetsStatesLoaded, juce::StringArray ({ XmlReading::toDocumentText (*XmlReading::parse (R"(<presetsstate currentPreset="9"/>)")) }));
}

TEST (PluginStatePresets, ProgramStateCarriesTheCurrentPresetElement)
{
    HalvenekWithPresetsProbe plugin;
    plugin.initialise();

    juce::MemoryBlock block;
    plugin.getCurrentProgramStateInformation (block);
    auto preset = unwrap (block);
    ASSERT_NE (preset, nullptr);
    EXPECT_EQ (preset->getTagName(), "Preset");
    EXPECT_EQ (preset->getStringAttribute ("name"), "Warm");

    plugin.setCurrentProgramStateInformation (block.getData(), (int) block.getSize());

    // A document that is no preset of this product still reaches the bank, which
    // re-applies the current preset; a block without a document does not.
    const auto foreign = blockWithText (R"(<Preset application="Other"/>)");
    plugin.setCurrentProgramStateInformation (foreign.getData(), (int) foreign.getSize());

    auto broken = block;
    static_cast<char*> (broken.getData())[1] ^= 0x40;
    plugin.setCurrentProgramStateInformation (broken.getData(), (int) broken.getSize());
    plugin.setCurrentProgramStateInformation (block.getData(), 8);

    EXPECT_EQ (plugin.presetsLoaded, juce::StringArray ({ "Preset Halvenek", "Preset Other" }));
}
