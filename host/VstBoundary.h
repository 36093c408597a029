#pragma once

#include "ChunkKeeper.h"
#include "VstEventFilter.h"
#include "VstInterface.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>

/** One plug-in instance as a VST 2.4 host sees it. JUCE's VST wrapper does the work
    underneath; this layer owns the effect record the host holds, so that the host sees
    exactly what the plug-in declares (identity, flags, canDo answers, text lengths, no
    programs), keeps the state chunks it lends to the host, guards the wrapper against bad
    input (null pointers, damaged events, odd block sizes and sample rates) and translates
    the published interface numbers that the FST headers under JUCE do not know. */
class VstBoundary : private juce::Timer
{
public:
    /** What JUCE's entry produced: its effect record and the processor behind it. */
    struct Created
    {
        AEffect* effect = nullptr;
        juce::AudioProcessor* processor = nullptr;
    };

    using WrapperEntry = Created (*) (audioMasterCallback);

    /** The entry: asks the host for its VST version (null on 0), then creates the plug-in
        through JUCE's entry and returns the record the host keeps; null on any failure. */
    static AEffect* create (audioMasterCallback host, WrapperEntry createWrapper);

    ~VstBoundary() override;

private:
    explicit VstBoundary (audioMasterCallback host);

    void attach (Created);
    void close();

    // Host to plug-in.
    static VstIntPtr dispatcherCallback (AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    static void processReplacingCallback (AEffect*, float** inputs, float** outputs, VstInt32 numSamples);
    static void setParameterCallback (AEffect*, VstInt32 index, float value);
    static float getParameterCallback (AEffect*, VstInt32 index);

    // Wrapper to host.
    static VstIntPtr wrapperCallback (AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr callHost (bool aboutThisEffect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    VstIntPtr dispatch (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr forward (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr copyTextFromWrapper (VstInt32 opcode, VstInt32 index, void* destination, std::size_t bytes);
    VstIntPtr resumeOrSuspend (bool resume);
    VstIntPtr takeSpeakerArrangement (const VstSpeakerArrangement* inputs, const VstSpeakerArrangement* outputs);
    VstIntPtr getChunk (bool currentPresetOnly, void** destination);
    VstIntPtr setChunk (bool currentPresetOnly, const void* data, VstIntPtr size);
    void process (float** inputs, float** outputs, int numSamples);

    void timerCallback() override;

    AEffect effect {};
    AEffect* wrapperEffect = nullptr;
    juce::AudioProcessor* processor = nullptr;
    const audioMasterCallback host;

    ChunkKeeper chunks;
    VstEventFilter eventFilter;

    // Held while the wrapper is resumed, suspended or given a block size or sample rate;
    // processing only tries it.
    juce::CriticalSection playSettingsLock;

    int announcedBlockSize = 1024;
    std::atomic<int> preparedBlockSize { 1024 };
    std::atomic<bool> resumed { false };

    // Audio thread only: where the piece being processed starts within the host's call, and
    // the host's time info moved on by that much.
    int pieceOffset = 0;
    VstTimeInfo pieceTimeInfo {};

    JUCE_DECLARE_NON_COPYABLE (VstBoundary)
};
