#include "VstTestHost.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <iostream>
#include <utility>

namespace
{
    // What the host answers to the version query while an instance is being created.
    std::atomic<VstIntPtr> versionAnswer { 2400 };

    VstIntPtr callbackBeforeInstance (AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
    {
        return opcode == audioMasterVersion ? versionAnswer.load() : 0;
    }
}

VstTestHost::VstTestHost (const std::string& modulePath)
{
    auto* module = dlopen (modulePath.c_str(), RTLD_NOW | RTLD_LOCAL);

    if (module != nullptr)
        entry = reinterpret_cast<Entry> (dlsym (module, "VSTPluginMain"));

    if (entry == nullptr)
    {
        std::cerr << "Cannot load the plug-in " << modulePath << ": " << dlerror() << std::endl;
        std::abort();
    }
}

VstTestHost& VstTestHost::shared()
{
    // Loaded once and kept for the whole run, as a DAW keeps a module while it runs.
    static VstTestHost host (HALVENEK_VST_MODULE);
    return host;
}

AEffect* VstTestHost::callEntry (VstIntPtr hostVersionAnswer)
{
    versionAnswer = hostVersionAnswer;
    auto* effect = entry (callbackBeforeInstance);
    versionAnswer = 2400;
    return effect;
}

std::unique_ptr<VstTestHost::Instance> VstTestHost::create()
{
    auto* effect = entry (Instance::hostCallback);

    if (effect == nullptr)
        return {};

    std::unique_ptr<Instance> instance (new Instance (effect));
    instance->dispatch (effOpen);
    return instance;
}

//==============================================================================
VstTestHost::Instance::Instance (AEffect* e)
    : aEffect (e)
{
    aEffect->user = this;
}

VstTestHost::Instance::~Instance()
{
    close();
}

void VstTestHost::Instance::close()
{
    if (aEffect != nullptr)
        aEffect->dispatcher (aEffect, effClose, 0, 0, nullptr, 0.0f);

    aEffect = nullptr;
}

VstIntPtr VstTestHost::Instance::hostCallback (AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    if (effect != nullptr && effect->user != nullptr)
        return static_cast<Instance*> (effect->user)->handle (opcode, index, value, ptr, opt);

    return callbackBeforeInstance (effect, opcode, index, value, ptr, opt);
}

VstIntPtr VstTestHost::Instance::handle (VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt)
{
    switch (opcode)
    {
        case audioMasterVersion:
            return 2400;

        case audioMasterAutomate:
        {
            const std::lock_guard<std::mutex> guard (automationLock);
            automation.push_back ({ index, opt });
            return 0;
        }

        case audioMasterWantMidi:
            ++midiRequests;
            return 1;

        case audioMasterGetTime:
        {
            // A playing 4/4 transport at 120 BPM from the start of the first block.
            timeInfo.samplePos = samplesPlayed;
            timeInfo.ppqPos = transportStart + (timeInfo.sampleRate > 0 ? samplesPlayed / timeInfo.sampleRate * 2.0 : 0.0);
            timeInfo.tempo = 120.0;
            timeInfo.barStartPos = 4.0 * (double) (long) (timeInfo.ppqPos / 4.0);
            timeInfo.timeSigNumerator = 4;
            timeInfo.timeSigDenominator = 4;
            timeInfo.flags = kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstBarsValid | kVstTimeSigValid;
            return reinterpret_cast<VstIntPtr> (&timeInfo);
        }

        default:
            return 0;
    }
}

//==============================================================================
VstIntPtr VstTestHost::Instance::dispatch (int opcode, int index, VstIntPtr value, void* ptr, float opt)
{
    return aEffect->dispatcher (aEffect, opcode, index, value, ptr, opt);
}

float VstTestHost::Instance::getParameter (int index)
{
    return aEffect->getParameter (aEffect, index);
}

void VstTestHost::Instance::setParameter (int index, float value)
{
    aEffect->setParameter (aEffect, index, value);
}

std::string VstTestHost::Instance::stringFrom (int opcode, int index)
{
    char text[256];
    std::memset (text, 0, sizeof (text));
    dispatch (opcode, index, 0, text, 0.0f);
    return text;
}

std::string VstTestHost::Instance::parameterName (int index)      { return stringFrom (effGetParamName, index); }
std::string VstTestHost::Instance::parameterDisplay (int index)   { return stringFrom (effGetParamDisplay, index); }

void VstTestHost::Instance::resume (float sampleRate, int blockSize)
{
    dispatch (effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch (effSetBlockSize, 0, blockSize);
    timeInfo.sampleRate = sampleRate;
    samplesPlayed = 0;
    dispatch (effMainsChanged, 0, 1);
}

void VstTestHost::Instance::suspend()
{
    dispatch (effMainsChanged, 0, 0);
}

void VstTestHost::Instance::processReplacing (float** inputs, float** outputs, int numSamples)
{
    aEffect->processReplacing (aEffect, inputs, outputs, numSamples);

    if (numSamples > 0)
        samplesPlayed += numSamples;
}

void VstTestHost::Instance::sendEvents (const std::vector<VstEvent*>& events)
{
    std::vector<char> storage (sizeof (VstEvents) + events.size() * sizeof (VstEvent*));
    auto* list = reinterpret_cast<VstEvents*> (storage.data());
    list->numEvents = (int) events.size();

    for (size_t i = 0; i < events.size(); ++i)
        list->events[i] = events[i];

    dispatch (effProcessEvents, 0, 0, list);
}

void VstTestHost::Instance::sendProgramChange (int program)
{
    VstMidiEvent programChange {};
    programChange.type = kVstMidiType;
    programChange.byteSize = sizeof (VstMidiEvent);
    programChange.midiData[0] = (char) 0xc0;
    programChange.midiData[1] = (char) program;
    sendEvents ({ reinterpret_cast<VstEvent*> (&programChange) });
}

std::vector<char> VstTestHost::Instance::getChunk (bool currentPresetOnly)
{
    void* data = nullptr;
    const auto size = dispatch (effGetChunk, currentPresetOnly ? 1 : 0, 0, &data);

    if (data == nullptr || size <= 0)
        return {};

    const auto* bytes = static_cast<const char*> (data);
    return { bytes, bytes + size };
}

void VstTestHost::Instance::setChunk (bool currentPresetOnly, const std::vector<char>& chunk)
{
    dispatch (effSetChunk, currentPresetOnly ? 1 : 0, (VstIntPtr) chunk.size(), const_cast<char*> (chunk.data()));
}

std::vector<float> VstTestHost::Instance::allParameters()
{
    std::vector<float> values;

    for (int i = 0; i < aEffect->numParams; ++i)
        values.push_back (getParameter (i));

    return values;
}

std::vector<VstTestHost::Automation> VstTestHost::Instance::takeAutomation()
{
    const std::lock_guard<std::mutex> guard (automationLock);
    return std::exchange (automation, {});
}
