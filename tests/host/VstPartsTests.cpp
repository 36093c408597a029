#include "ChunkKeeper.h"
#include "HostPlaySettings.h"
#include "VstEventFilter.h"
#include "VstText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

TEST (VstTextTest, CutsAtTheBufferSizeWithTerminator)
{
    char buffer[16];
    std::memset (buffer, '#', sizeof (buffer));

    VstText::copyBounded (buffer, "LFO 2 Stereo Phase", 16);
    EXPECT_STREQ (buffer, "LFO 2 Stereo Ph");

    VstText::copyBounded (buffer, "FX", 16);
    EXPECT_STREQ (buffer, "FX");

    VstText::copyBounded (buffer, nullptr, 16);
    EXPECT_STREQ (buffer, "");

    buffer[0] = 'x';
    VstText::copyBounded (buffer, "anything", 0);
    EXPECT_EQ (buffer[0], 'x');
    VstText::copyBounded (nullptr, "anything", 16);
}

TEST (VstTextTest, NeverCutsACharacterInHalf)
{
    char buffer[8];

    // "Größe" is 7 bytes in UTF-8; 6 bytes would end inside the "ö" or "ß".
    VstText::copyBounded (buffer, "Gr\xc3\xb6\xc3\x9f" "e", 5);
    EXPECT_STREQ (buffer, "Gr\xc3\xb6");

    VstText::copyBounded (buffer, "Gr\xc3\xb6\xc3\x9f" "e", 4);
    EXPECT_STREQ (buffer, "Gr");
}

TEST (ChunkKeeperTest, KeepsTheChunkForTwoSecondsThenReleasesIt)
{
    ChunkKeeper keeper;
    EXPECT_FALSE (keeper.isHolding());

    const char* data = keeper.keep ({ 'a', 'b', 'c' }, 1000);
    ASSERT_NE (data, nullptr);
    EXPECT_EQ (std::string (data, 3), "abc");

    EXPECT_TRUE (keeper.releaseIfExpired (1000));
    EXPECT_TRUE (keeper.releaseIfExpired (2999));
    EXPECT_EQ (std::string (data, 3), "abc");
    EXPECT_FALSE (keeper.releaseIfExpired (3000));
    EXPECT_FALSE (keeper.isHolding());
}

TEST (ChunkKeeperTest, TheNextRequestReplacesTheChunkAndRestartsTheTime)
{
    ChunkKeeper keeper;
    keeper.keep ({ 'a' }, 0);
    const char* second = keeper.keep ({ 'x', 'y' }, 1900);

    EXPECT_TRUE (keeper.releaseIfExpired (3000));
    EXPECT_EQ (std::string (second, 2), "xy");
    EXPECT_FALSE (keeper.releaseIfExpired (3900));
}

TEST (ChunkKeeperTest, CounterWrapAroundStillReleases)
{
    ChunkKeeper keeper;
    keeper.keep ({ 'a' }, 0xffffff00u);
    EXPECT_TRUE (keeper.releaseIfExpired (0x00000100u));
    EXPECT_FALSE (keeper.releaseIfExpired (0x00000800u));
}

TEST (HostPlaySettingsTest, SampleRateWithoutUsableValueIs44100)
{
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (0.0f), 44100.0);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (-48000.0f), 44100.0);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (std::nanf ("")), 44100.0);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (INFINITY), 44100.0);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (48000.0f), 48000.0);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (1.0f), HostPlaySettings::lowestSampleRate);
    EXPECT_EQ (HostPlaySettings::sanitiseSampleRate (1.0e12f), HostPlaySettings::highestSampleRate);
}

TEST (HostPlaySettingsTest, BlockSizeBelowOneIsIgnoredAndHugeOnesCapped)
{
    EXPECT_EQ (HostPlaySettings::sanitiseBlockSize (0, 512), 512);
    EXPECT_EQ (HostPlaySettings::sanitiseBlockSize (-1, 512), 512);
    EXPECT_EQ (HostPlaySettings::sanitiseBlockSize (64, 512), 64);
    EXPECT_EQ (HostPlaySettings::sanitiseBlockSize ((VstIntPtr) 1 << 40, 512), HostPlaySettings::largestBlockSize);
}

TEST (HostPlaySettingsTest, TimeInfoOfALaterPieceMovesOn)
{
    VstTimeInfo info {};
    info.sampleRate = 48000.0;
    info.samplePos = 1000.0;
    info.ppqPos = 8.0;
    info.tempo = 120.0;
    info.flags = kVstPpqPosValid | kVstTempoValid | kVstTransportPlaying;

    const auto later = HostPlaySettings::advanceTimeInfo (info, 24000);
    EXPECT_DOUBLE_EQ (later.samplePos, 25000.0);
    EXPECT_DOUBLE_EQ (later.ppqPos, 9.0);
    EXPECT_EQ (later.flags, info.flags);

    info.flags = kVstTransportPlaying;
    EXPECT_DOUBLE_EQ (HostPlaySettings::advanceTimeInfo (info, 24000).ppqPos, 8.0);
}

TEST (VstEventFilterTest, DropsEntriesThatCannotBeRead)
{
    VstMidiEvent note {};
    note.type = kVstMidiType;

    char dump[] { (char) 0xf0, 0x7e, (char) 0xf7 };
    VstMidiSysexEvent sysex {};
    sysex.type = kVstSysExType;
    sysex.dumpBytes = 3;
    sysex.sysexDump = dump;

    VstMidiSysexEvent noData = sysex;
    noData.sysexDump = nullptr;

    VstMidiSysexEvent negative = sysex;
    negative.dumpBytes = -4;

    VstEvent unknown {};
    unknown.type = (t_fstEventType) 3;

    std::vector<char> storage (sizeof (VstEvents) + 6 * sizeof (VstEvent*));
    auto* events = reinterpret_cast<VstEvents*> (storage.data());
    events->numEvents = 6;
    events->events[0] = reinterpret_cast<VstEvent*> (&note);
    events->events[1] = nullptr;
    events->events[2] = reinterpret_cast<VstEvent*> (&noData);
    events->events[3] = reinterpret_cast<VstEvent*> (&sysex);
    events->events[4] = reinterpret_cast<VstEvent*> (&negative);
    events->events[5] = &unknown;

    VstEventFilter filter;
    const auto* usable = filter.filter (events);
    ASSERT_NE (usable, nullptr);
    ASSERT_EQ (usable->numEvents, 2);
    EXPECT_EQ (usable->events[0], reinterpret_cast<VstEvent*> (&note));
    EXPECT_EQ (usable->events[1], reinterpret_cast<VstEvent*> (&sysex));

    events->numEvents = 0;
    EXPECT_EQ (filter.filter (events), nullptr);
    events->numEvents = -1;
    EXPECT_EQ (filter.filter (events), nullptr);
    EXPECT_EQ (filter.filter (nullptr), nullptr);
}
