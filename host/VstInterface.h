#pragma once

// The VST 2.4 binary interface as the FST headers describe it (built with -Wno-cpp: FST
// marks its guesses with #warning). The names FST could not confirm are used here on
// purpose, to map them to their published numbers, so they are not flagged as deprecated.
#ifndef FST_DONT_DEPRECATE_UNKNOWN
 #define FST_DONT_DEPRECATE_UNKNOWN 1
#endif
#include <pluginterfaces/vst2.x/aeffectx.h>

#include <cstddef>

/** Published VST 2.4 numbers that FST leaves without their real values (it gives those names
    made-up numbers above 100000). Hosts send and expect these. */
namespace VstPublished
{
    // Dispatcher opcodes.
    constexpr int setBypass                = 44;
    constexpr int getTailSize              = 52;
    constexpr int keysRequired             = 57;
    constexpr int getNumMidiInputChannels  = 78;
    constexpr int getNumMidiOutputChannels = 79;

    // Host callback opcodes.
    constexpr int ioChanged                = 13;
    constexpr int vendorSpecific           = 35;
    constexpr int updateDisplay            = 42;

    // Pin property flags.
    constexpr int pinIsActive              = 1 << 0;
    constexpr int pinIsStereo              = 1 << 1;
    constexpr int pinUseSpeaker            = 1 << 2;

    // Longest opcode number of the published interface; anything above is no VST 2.4 call.
    constexpr int lastOpcode               = 79;
}

/** What this plug-in declares to a VST 2.4 host, whatever the wrapper underneath says. The
    unique ID and the version come from the build's plug-in code and project version. */
namespace VstDeclaration
{
    constexpr VstInt32 vstVersion      = 2400;
    constexpr VstInt32 numChannels     = 2;
    constexpr VstInt32 numPrograms     = 0;
    constexpr VstIntPtr flags          = effFlagsHasEditor | effFlagsCanReplacing | effFlagsProgramChunks;
    constexpr VstIntPtr category       = kPlugCategEffect;

    // Host buffer sizes, terminator included.
    constexpr std::size_t parameterNameBytes = 16;
    constexpr std::size_t parameterTextBytes = 24;
    constexpr std::size_t programNameBytes   = 24;
    constexpr std::size_t nameBytes          = 64;
}
