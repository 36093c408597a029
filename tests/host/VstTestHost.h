#pragma once

#include "VstInterface.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

/** A minimal VST 2.4 host for tests: loads the built plug-in module with dlopen, as a DAW
    does, creates instances through its exported VSTPluginMain and records what the plug-in
    tells the host. */
class VstTestHost
{
public:
    /** What the host was told through its callback, per instance. */
    struct Automation
    {
        int index;
        float value;
    };

    class Instance
    {
    public:
        ~Instance();

        AEffect& effect() const noexcept                          { return *aEffect; }

        VstIntPtr dispatch (int opcode, int index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0.0f);
        float getParameter (int index);
        void setParameter (int index, float value);

        std::string parameterName (int index);
        std::string parameterDisplay (int index);
        std::string stringFrom (int opcode, int index = 0);

        void resume (float sampleRate = 44100.0f, int blockSize = 512);
        void suspend();
        void processReplacing (float** inputs, float** outputs, int numSamples);
        void sendEvents (const std::vector<VstEvent*>& events);
        void sendProgramChange (int program);

        std::vector<char> getChunk (bool currentPresetOnly);
        void setChunk (bool currentPresetOnly, const std::vector<char>& chunk);

        std::vector<float> allParameters();

        std::vector<Automation> takeAutomation();

        /** Where the transport stands, in quarter notes, when the first block plays. */
        void setTransportStart (double quarterNotes)            { transportStart = quarterNotes; }
        int wantMidiRequests() const noexcept                    { return midiRequests; }

        /** Closes the plug-in now; the destructor does it otherwise. */
        void close();

    private:
        friend class VstTestHost;
        explicit Instance (AEffect*);

        static VstIntPtr hostCallback (AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
        VstIntPtr handle (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

        AEffect* aEffect;
        std::mutex automationLock;
        std::vector<Automation> automation;
        std::atomic<int> midiRequests { 0 };
        VstTimeInfo timeInfo {};
        double samplesPlayed = 0;
        double transportStart = 0;
    };

    /** Loads the module; aborts the test run when it cannot be loaded. */
    explicit VstTestHost (const std::string& modulePath);

    /** A new plug-in instance, opened; null when the entry gives none. */
    std::unique_ptr<Instance> create();

    /** The entry's answer for a host that reports the given VST version. */
    AEffect* callEntry (VstIntPtr hostVersionAnswer);

    static VstTestHost& shared();

private:
    using Entry = AEffect* (*) (audioMasterCallback);
    Entry entry = nullptr;
};
