#include "VstTestHost.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace
{
    constexpr int numParameters = 23;

    const char* const parameterNames[numParameters] {
        "LFO 1 Rate", "LFO 1 Note Rate", "LFO 1 Sync", "LFO 1 Depth", "LFO 1 Offset", "LFO 1 Waveform",
        "Path 1 Volume", "LFO 1 Tremolo", "LFO 1 Stereo Phase", "LFO 2 Rate", "LFO 2 Note Rate",
        "LFO 2 Sync", "LFO 2 Depth", "LFO 2 Offset", "LFO 2 Waveform", "Path 2 Volume", "LFO 2 Tremolo",
        "LFO 2 Stereo Phase", "LFO 2 Synchronize", "BBD", "Hi Pass Frequency", "FX", "Output Volume"
    };

    /** A host buffer filled with a marker, to see how far the plug-in wrote. */
    struct MarkedBuffer
    {
        MarkedBuffer()                          { std::memset (bytes, marker, sizeof (bytes)); }
        size_t bytesWritten() const             { size_t n = sizeof (bytes); while (n > 0 && bytes[n - 1] == marker) --n; return n; }

        static constexpr char marker = '#';
        char bytes[128];
    };

    class VstDeclarationTest : public testing::Test
    {
    protected:
        std::unique_ptr<VstTestHost::Instance> plugin = VstTestHost::shared().create();
    };
}

TEST (VstEntryTest, HostAnsweringVersionZeroGetsNoPlugin)
{
    EXPECT_EQ (VstTestHost::shared().callEntry (0), nullptr);

    // The refusal leaves nothing behind that keeps a later instance from working.
    auto plugin = VstTestHost::shared().create();
    ASSERT_NE (plugin, nullptr);
    EXPECT_EQ (plugin->effect().numParams, numParameters);
}

TEST_F (VstDeclarationTest, EffectRecordDeclaresTheProduct)
{
    ASSERT_NE (plugin, nullptr);
    const auto& effect = plugin->effect();

    EXPECT_EQ (effect.magic, kEffectMagic);
    EXPECT_EQ (effect.uniqueID, 1366701131);
    EXPECT_EQ (effect.uniqueID, CCONST ('Q', 'v', '4', 'K'));
    EXPECT_EQ (effect.version, 66305);
    EXPECT_EQ (effect.numInputs, 2);
    EXPECT_EQ (effect.numOutputs, 2);
    EXPECT_EQ (effect.numParams, numParameters);
    EXPECT_EQ (effect.numPrograms, 0);
    EXPECT_EQ (effect.flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks);
    EXPECT_EQ (effect.initialDelay, 0);
    EXPECT_NE (effect.processReplacing, nullptr);
    EXPECT_NE (effect.getParameter, nullptr);
    EXPECT_NE (effect.setParameter, nullptr);
}

TEST_F (VstDeclarationTest, IdentityAnswers)
{
    EXPECT_EQ (plugin->dispatch (effGetVstVersion), 2400);
    EXPECT_EQ (plugin->dispatch (effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ (plugin->dispatch (effGetVendorVersion), 66305);
    EXPECT_EQ (plugin->stringFrom (effGetEffectName), "Halvenek");
    EXPECT_EQ (plugin->stringFrom (effGetProductString), "Halvenek");

    const auto vendor = plugin->stringFrom (effGetVendorString);
    EXPECT_FALSE (vendor.empty());
    EXPECT_LT (vendor.size(), 64u);
}

TEST_F (VstDeclarationTest, CanDoAnswersExactlyTheTable)
{
    const std::pair<const char*, int> table[] {
        { "receiveVstEvents", 1 }, { "receiveVstMidiEvent", 1 }, { "receiveVstMidiEvents", 1 },
        { "sendVstEvents", -1 }, { "sendVstMidiEvent", -1 }, { "sendVstMidiEvents", -1 },
        { "receiveVstTimeInfo", 1 }, { "conformsToWindowRules", 1 }, { "openCloseAnyThread", -1 },
        // Queries the wrapper underneath would answer, and some no one answers.
        { "bypass", 0 }, { "supportsViewDpiScaling", 0 }, { "hasCockosExtensions", 0 }, { "MPE", 0 },
        { "hasCockosViewAsConfig", 0 }, { "offline", 0 }, { "", 0 }, { "receivevstevents", 0 }
    };

    for (const auto& [query, answer] : table)
        EXPECT_EQ (plugin->dispatch (effCanDo, 0, 0, const_cast<char*> (query)), answer) << query;

    EXPECT_EQ (plugin->dispatch (effCanDo, 0, 0, nullptr), 0);
}

TEST_F (VstDeclarationTest, ParameterNamesAreCutToSixteenBytes)
{
    for (int i = 0; i < numParameters; ++i)
    {
        MarkedBuffer buffer;
        plugin->dispatch (effGetParamName, i, 0, buffer.bytes);

        const std::string expected = std::string (parameterNames[i]).substr (0, 15);
        EXPECT_EQ (std::string (buffer.bytes), expected);
        EXPECT_LE (buffer.bytesWritten(), 16u) << parameterNames[i];
    }

    EXPECT_EQ (plugin->parameterName (17), "LFO 2 Stereo Ph");
    EXPECT_EQ (plugin->parameterName (20), "Hi Pass Frequen");
    EXPECT_EQ (plugin->parameterName (21), "FX");
}

TEST_F (VstDeclarationTest, DisplayTextsFitTwentyFourBytesAndLabelsAreEmpty)
{
    for (int i = 0; i < numParameters; ++i)
    {
        MarkedBuffer display;
        plugin->dispatch (effGetParamDisplay, i, 0, display.bytes);
        EXPECT_LE (display.bytesWritten(), 24u);
        EXPECT_LT (std::strlen (display.bytes), 24u);

        MarkedBuffer label;
        plugin->dispatch (effGetParamLabel, i, 0, label.bytes);
        EXPECT_STREQ (label.bytes, "");
        EXPECT_EQ (label.bytesWritten(), 1u);
    }
}

TEST_F (VstDeclarationTest, ParametersAreAutomatableAndTakeHostValues)
{
    for (int i = 0; i < numParameters; ++i)
        EXPECT_EQ (plugin->dispatch (effCanBeAutomated, i), 1) << i;

    plugin->setParameter (3, 0.75f);
    EXPECT_FLOAT_EQ (plugin->getParameter (3), 0.75f);
}

TEST_F (VstDeclarationTest, ParameterIndicesOutOfRangeAnswerNothing)
{
    for (int index : { numParameters, -1, 1000, 128 })
    {
        MarkedBuffer name, display, label;
        plugin->dispatch (effGetParamName, index, 0, name.bytes);
        plugin->dispatch (effGetParamDisplay, index, 0, display.bytes);
        plugin->dispatch (effGetParamLabel, index, 0, label.bytes);

        EXPECT_STREQ (name.bytes, "") << index;
        EXPECT_STREQ (display.bytes, "") << index;
        EXPECT_STREQ (label.bytes, "") << index;
        EXPECT_EQ (plugin->getParameter (index), 0.0f);
        EXPECT_EQ (plugin->dispatch (effCanBeAutomated, index), 0);

        plugin->setParameter (index, 0.3f);
    }

    // Null buffers are not written to.
    EXPECT_EQ (plugin->dispatch (effGetParamName, 0, 0, nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effGetParamDisplay, 0, 0, nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effGetParamLabel, 0, 0, nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effGetEffectName, 0, 0, nullptr), 0);
    EXPECT_EQ (plugin->dispatch (effString2Parameter, 0, 0, nullptr), 0);
}

TEST_F (VstDeclarationTest, NonFiniteHostValuesAreIgnored)
{
    plugin->setParameter (5, 0.25f);
    plugin->setParameter (5, std::nanf (""));
    plugin->setParameter (5, INFINITY);
    EXPECT_FLOAT_EQ (plugin->getParameter (5), 0.25f);
}

TEST_F (VstDeclarationTest, ProgramsAreNotExposed)
{
    EXPECT_EQ (plugin->dispatch (effGetProgram), 0);
    plugin->dispatch (effSetProgram, 0, 5);
    EXPECT_EQ (plugin->dispatch (effGetProgram), 0);

    plugin->dispatch (effSetProgramName, 0, 0, const_cast<char*> ("Renamed"));

    for (int opcode : { (int) effGetProgramName, (int) effGetProgramNameIndexed })
    {
        MarkedBuffer name;
        plugin->dispatch (opcode, 0, 0, name.bytes);
        EXPECT_STREQ (name.bytes, "");
        EXPECT_LE (name.bytesWritten(), 24u);
    }

    EXPECT_EQ (plugin->dispatch (effGetProgramNameIndexed, 0, 0, nullptr), 0);
}

TEST_F (VstDeclarationTest, PinsZeroAndOneFormAStereoPair)
{
    for (int opcode : { (int) effGetInputProperties, (int) effGetOutputProperties })
    {
        VstPinProperties left {}, right {}, third {};
        EXPECT_EQ (plugin->dispatch (opcode, 0, 0, &left), 1);
        EXPECT_EQ (plugin->dispatch (opcode, 1, 0, &right), 1);
        EXPECT_EQ (plugin->dispatch (opcode, 2, 0, &third), 0);
        EXPECT_EQ (plugin->dispatch (opcode, -1, 0, &third), 0);
        EXPECT_EQ (plugin->dispatch (opcode, 0, 0, nullptr), 0);

        EXPECT_EQ (left.flags, VstPublished::pinIsActive | VstPublished::pinIsStereo | VstPublished::pinUseSpeaker);
        EXPECT_EQ (right.flags, VstPublished::pinIsActive | VstPublished::pinUseSpeaker);
        EXPECT_EQ (left.arrangementType, kSpeakerArrStereo);
        EXPECT_EQ (right.arrangementType, kSpeakerArrStereo);
        EXPECT_GT (std::strlen (left.label), 0u);
        EXPECT_LT (std::strlen (left.shortLabel), sizeof (left.shortLabel));
    }
}

TEST_F (VstDeclarationTest, SpeakerArrangementsAreAcceptedAndReachTheProcessor)
{
    VstSpeakerArrangement mono {};
    mono.type = kSpeakerArrMono;
    mono.numChannels = 1;

    VstSpeakerArrangement stereo {};
    stereo.type = kSpeakerArrStereo;
    stereo.numChannels = 2;

    auto currentChannels = [this]
    {
        VstSpeakerArrangement* in = nullptr;
        VstSpeakerArrangement* out = nullptr;
        plugin->dispatch (effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&in), &out);
        return std::make_pair (in != nullptr ? in->numChannels : -1, out != nullptr ? out->numChannels : -1);
    };

    EXPECT_EQ (currentChannels(), std::make_pair (2, 2));

    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&mono), &mono), 1);
    EXPECT_EQ (currentChannels(), std::make_pair (1, 1));

    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&mono), &stereo), 1);
    EXPECT_EQ (currentChannels(), std::make_pair (1, 2));

    // Counts the processor cannot play are accepted and leave it as it was.
    VstSpeakerArrangement surround {};
    surround.type = kSpeakerArrUserDefined;
    surround.numChannels = 6;
    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&surround), &surround), 1);
    EXPECT_EQ (currentChannels(), std::make_pair (1, 2));

    VstSpeakerArrangement absurd {};
    absurd.type = kSpeakerArrUserDefined;
    absurd.numChannels = 1 << 30;
    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&absurd), nullptr), 1);
    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, 0, nullptr), 1);

    EXPECT_EQ (plugin->dispatch (effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr> (&stereo), &stereo), 1);
    EXPECT_EQ (currentChannels(), std::make_pair (2, 2));

    EXPECT_EQ (plugin->dispatch (effGetSpeakerArrangement, 0, 0, nullptr), 0);
}

TEST_F (VstDeclarationTest, CallsOutsideTheInterfaceAnswerZero)
{
    for (int opcode : { -1, 9, 80, 999, 100150, VstPublished::setBypass, (int) effVendorSpecific })
        EXPECT_EQ (plugin->dispatch (opcode, 7, 0, nullptr), 0) << opcode;
}

TEST_F (VstDeclarationTest, PublishedNumbersReachTheWrapper)
{
    EXPECT_EQ (plugin->dispatch (VstPublished::getNumMidiInputChannels), 16);
    EXPECT_EQ (plugin->dispatch (VstPublished::getNumMidiOutputChannels), 0);
    EXPECT_EQ (plugin->dispatch (VstPublished::getTailSize), 0);
}
