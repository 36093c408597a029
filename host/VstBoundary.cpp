#include "VstBoundary.h"

#include "CanDoTable.h"
#include "HostPlaySettings.h"
#include "VstPins.h"
#include "VstText.h"

#include <cmath>
#include <limits>

namespace
{
    // The instance whose wrapper is being built on this thread: JUCE's entry calls the host
    // before its effect record is known here.
    thread_local VstBoundary* instanceBeingCreated = nullptr;

    // Channel counts a host may ask for; far more than the processor takes.
    constexpr int mostChannels = 32;

    // A chunk still held is looked at this often.
    constexpr int chunkCheckMilliseconds = 250;
}

//==============================================================================
AEffect* VstBoundary::create (audioMasterCallback host, WrapperEntry createWrapper)
{
    if (host == nullptr || host (nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;

    try
    {
        std::unique_ptr<VstBoundary> boundary (new VstBoundary (host));

        const juce::ScopedValueSetter<VstBoundary*> creating (instanceBeingCreated, boundary.get());
        const auto created = createWrapper (wrapperCallback);

        if (created.effect == nullptr)
            return nullptr;

        if (created.processor == nullptr)
        {
            created.effect->dispatcher (created.effect, effClose, 0, 0, nullptr, 0.0f);
            return nullptr;
        }

        boundary->attach (created);
        return &boundary.release()->effect;
    }
    catch (...)
    {
        return nullptr;
    }
}

VstBoundary::VstBoundary (audioMasterCallback hostCallback)
    : host (hostCallback)
{
}

VstBoundary::~VstBoundary() = default;

void VstBoundary::attach (Created created)
{
    wrapperEffect = created.effect;
    processor = created.processor;
    wrapperEffect->user = this;

    effect = *wrapperEffect;
    effect.dispatcher = dispatcherCallback;
    effect.process = nullptr;
    effect.processReplacing = processReplacingCallback;
    effect.processDoubleReplacing = nullptr;
    effect.setParameter = setParameterCallback;
    effect.getParameter = getParameterCallback;
    effect.numPrograms = VstDeclaration::numPrograms;
    effect.numInputs = VstDeclaration::numChannels;
    effect.numOutputs = VstDeclaration::numChannels;
    effect.flags = VstDeclaration::flags;
    effect.uniqueID = JucePlugin_VSTUniqueID;
    effect.version = JucePlugin_VersionCode;
    effect.initialDelay = wrapperEffect->initialDelay;
    effect.object = this;
    effect.user = nullptr;
}

void VstBoundary::close()
{
    {
        // No chunk check may run while this instance goes.
        const juce::MessageManagerLock messageThreadHeld;
        stopTimer();
    }

    wrapperEffect->dispatcher (wrapperEffect, effClose, 0, 0, nullptr, 0.0f);
    wrapperEffect = nullptr;
    processor = nullptr;
}

//==============================================================================
static VstBoundary* boundaryOf (AEffect* hostSide) noexcept
{
    return hostSide != nullptr ? static_cast<VstBoundary*> (hostSide->object) : nullptr;
}

VstIntPtr VstBoundary::dispatcherCallback (AEffect* hostSide, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* boundary = boundaryOf (hostSide);

    if (boundary == nullptr)
        return 0;

    if (opcode == effClose)
    {
        boundary->close();
        delete boundary;
        return 1;
    }

    return boundary->dispatch (opcode, index, value, ptr, opt);
}

void VstBoundary::processReplacingCallback (AEffect* hostSide, float** inputs, float** outputs, VstInt32 numSamples)
{
    if (auto* boundary = boundaryOf (hostSide))
        boundary->process (inputs, outputs, numSamples);
}

void VstBoundary::setParameterCallback (AEffect* hostSide, VstInt32 index, float value)
{
    if (auto* boundary = boundaryOf (hostSide))
        if (std::isfinite (value))
            boundary->wrapperEffect->setParameter (boundary->wrapperEffect, index, value);
}

float VstBoundary::getParameterCallback (AEffect* hostSide, VstInt32 index)
{
    if (auto* boundary = boundaryOf (hostSide))
        return boundary->wrapperEffect->getParameter (boundary->wrapperEffect, index);

    return 0.0f;
}

//==============================================================================
VstIntPtr VstBoundary::wrapperCallback (AEffect* wrapperSide, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* boundary = wrapperSide != nullptr && wrapperSide->user != nullptr ? static_cast<VstBoundary*> (wrapperSide->user)
                                                                            : instanceBeingCreated;

    if (boundary == nullptr)
        return 0;

    return boundary->callHost (wrapperSide != nullptr, opcode, index, value, ptr, opt);
}

VstIntPtr VstBoundary::callHost (bool aboutThisEffect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    switch (opcode)
    {
        case audioMasterIOChanged:
            effect.initialDelay = wrapperEffect != nullptr ? wrapperEffect->initialDelay : effect.initialDelay;
            opcode = VstPublished::ioChanged;
            break;

        case audioMasterUpdateDisplay:  opcode = VstPublished::updateDisplay; break;
        case audioMasterVendorSpecific: opcode = VstPublished::vendorSpecific; break;
        default: break;
    }

    const auto result = host (aboutThisEffect ? &effect : nullptr, opcode, index, value, ptr, opt);

    if (opcode == audioMasterGetTime && pieceOffset > 0 && result != 0)
    {
        pieceTimeInfo = HostPlaySettings::advanceTimeInfo (*reinterpret_cast<const VstTimeInfo*> (result), pieceOffset);
        return reinterpret_cast<VstIntPtr> (&pieceTimeInfo);
    }

    return result;
}

//==============================================================================
VstIntPtr VstBoundary::dispatch (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    auto* text = static_cast<char*> (ptr);

    switch (opcode)
    {
        // The plug-in's presets are its own; the host sees no programs.
        case effGetProgram:
        case effSetProgram:
        case effSetProgramName:
            return 0;

        case effGetProgramName:
        case effGetProgramNameIndexed:
            VstText::copyBounded (text, "", VstDeclaration::programNameBytes);
            return 0;

        case effGetParamLabel:
            VstText::copyBounded (text, "", VstDeclaration::parameterTextBytes);
            return 0;

        case effGetParamName:       return copyTextFromWrapper (opcode, index, ptr, VstDeclaration::parameterNameBytes);
        case effGetParamDisplay:    return copyTextFromWrapper (opcode, index, ptr, VstDeclaration::parameterTextBytes);

        case effGetEffectName:
        case effGetProductString:
        case effGetVendorString:
            if (text == nullptr)
                return 0;

            copyTextFromWrapper (opcode, index, ptr, VstDeclaration::nameBytes);
            return 1;

        case effGetVendorVersion:   return JucePlugin_VersionCode;
        case effGetVstVersion:      return VstDeclaration::vstVersion;
        case effGetPlugCategory:    return VstDeclaration::category;
        case effCanDo:              return CanDoTable::answer (static_cast<const char*> (ptr));

        case effGetInputProperties:  return VstPins::describe (static_cast<VstPinProperties*> (ptr), true, index) ? 1 : 0;
        case effGetOutputProperties: return VstPins::describe (static_cast<VstPinProperties*> (ptr), false, index) ? 1 : 0;

        case effSetSpeakerArrangement:
            return takeSpeakerArrangement (reinterpret_cast<const VstSpeakerArrangement*> (value),
                                           static_cast<const VstSpeakerArrangement*> (ptr));

        case effGetChunk:           return getChunk (index != 0, static_cast<void**> (ptr));
        case effSetChunk:           return setChunk (index != 0, ptr, value);

        case effSetSampleRate:
        {
            const juce::ScopedLock sl (playSettingsLock);
            return forward (opcode, 0, 0, nullptr, (float) HostPlaySettings::sanitiseSampleRate (opt));
        }

        case effSetBlockSize:
        {
            const juce::ScopedLock sl (playSettingsLock);
            announcedBlockSize = HostPlaySettings::sanitiseBlockSize (value, announcedBlockSize);
            return forward (opcode, 0, announcedBlockSize, nullptr, 0.0f);
        }

        case effMainsChanged:       return resumeOrSuspend (value != 0);

        case effProcessEvents:
            if (ptr == nullptr)
                return 0;

            if (auto* usable = eventFilter.filter (static_cast<const VstEvents*> (ptr)))
                forward (opcode, 0, 0, usable, 0.0f);

            return 1;

        // Calls whose pointer the wrapper writes through or reads from without looking.
        case effEditGetRect:
        case effEditOpen:
        case effString2Parameter:
            return ptr != nullptr ? forward (opcode, index, value, ptr, opt) : 0;

        case effGetSpeakerArrangement:
            return ptr != nullptr && value != 0 ? forward (opcode, index, value, ptr, opt) : 0;

        case effOpen:
        case effEditClose:
        case effEditIdle:
        case effIdentify:
        case effCanBeAutomated:
        case effGetCurrentMidiProgram:
        case effSetTotalSampleToProcess:
        case effSetProcessPrecision:
            return forward (opcode, index, value, ptr, opt);

        // Published numbers that the wrapper knows only under FST's names.
        case VstPublished::getTailSize:              return forward (effGetTailSize, index, value, ptr, opt);
        case VstPublished::keysRequired:             return forward (effKeysRequired, index, value, ptr, opt);
        case VstPublished::getNumMidiInputChannels:  return forward (effGetNumMidiInputChannels, index, value, ptr, opt);
        case VstPublished::getNumMidiOutputChannels: return forward (effGetNumMidiOutputChannels, index, value, ptr, opt);

        // Everything else, including bypass (the plug-in does not offer it), vendor-specific
        // extensions and numbers outside the interface, is not taken up.
        default:
            return 0;
    }
}

VstIntPtr VstBoundary::forward (VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return wrapperEffect->dispatcher (wrapperEffect, opcode, index, value, ptr, opt);
}

VstIntPtr VstBoundary::copyTextFromWrapper (VstInt32 opcode, VstInt32 index, void* destination, std::size_t bytes)
{
    if (destination == nullptr)
        return 0;

    // Larger than anything the wrapper writes, which is cut down to the host's size here.
    char text[256] = {};
    const auto result = forward (opcode, index, 0, text, 0.0f);
    text[sizeof (text) - 1] = 0;
    VstText::copyBounded (static_cast<char*> (destination), text, bytes);
    return result;
}

VstIntPtr VstBoundary::resumeOrSuspend (bool resume)
{
    const juce::ScopedLock sl (playSettingsLock);

    if (resume)
        preparedBlockSize = announcedBlockSize;

    const auto result = forward (effMainsChanged, 0, resume ? 1 : 0, nullptr, 0.0f);
    effect.initialDelay = wrapperEffect->initialDelay;
    resumed = resume;
    return result;
}

VstIntPtr VstBoundary::takeSpeakerArrangement (const VstSpeakerArrangement* inputs, const VstSpeakerArrangement* outputs)
{
    auto channels = [] (const VstSpeakerArrangement* arrangement, int current)
    {
        return arrangement != nullptr && arrangement->numChannels >= 0 ? juce::jmin (arrangement->numChannels, mostChannels)
                                                                       : current;
    };

    const juce::ScopedLock audioHeld (processor->getCallbackLock());

    auto layout = processor->getBusesLayout();
    layout.getChannelSet (true, 0) = juce::AudioChannelSet::canonicalChannelSet (channels (inputs, processor->getTotalNumInputChannels()));
    layout.getChannelSet (false, 0) = juce::AudioChannelSet::canonicalChannelSet (channels (outputs, processor->getTotalNumOutputChannels()));

    // The request is always accepted; the processor keeps the counts it can play.
    if (processor->checkBusesLayoutSupported (layout))
        processor->setBusesLayout (layout);

    return 1;
}

VstIntPtr VstBoundary::getChunk (bool currentPresetOnly, void** destination)
{
    if (destination == nullptr)
        return 0;

    juce::MemoryBlock state;

    if (currentPresetOnly)
        processor->getCurrentProgramStateInformation (state);
    else
        processor->getStateInformation (state);

    const auto* bytes = static_cast<const char*> (state.getData());
    *destination = const_cast<char*> (chunks.keep ({ bytes, bytes + state.getSize() }, juce::Time::getMillisecondCounter()));
    startTimer (chunkCheckMilliseconds);
    return (VstIntPtr) state.getSize();
}

VstIntPtr VstBoundary::setChunk (bool currentPresetOnly, const void* data, VstIntPtr size)
{
    if (data == nullptr || size <= 0 || size > std::numeric_limits<int>::max())
        return 0;

    if (currentPresetOnly)
        processor->setCurrentProgramStateInformation (data, (int) size);
    else
        processor->setStateInformation (data, (int) size);

    return 0;
}

void VstBoundary::timerCallback()
{
    if (! chunks.releaseIfExpired (juce::Time::getMillisecondCounter()))
        stopTimer();
}

//==============================================================================
void VstBoundary::process (float** inputs, float** outputs, int numSamples)
{
    if (numSamples <= 0 || outputs == nullptr)
        return;

    const int numIn = juce::jlimit (0, 2, processor->getTotalNumInputChannels());
    const int numOut = juce::jlimit (0, 2, processor->getTotalNumOutputChannels());

    bool inputsPresent = inputs != nullptr;

    for (int channel = 0; inputsPresent && channel < numIn; ++channel)
        inputsPresent = inputs[channel] != nullptr;

    // A host that resumes, suspends or changes the block size or rate on another thread
    // while this one processes would have the wrapper free its buffers under it: such a
    // block is left silent instead, and the audio thread never waits.
    const juce::ScopedTryLock playSettingsHeld (playSettingsLock);

    if (! inputsPresent || ! playSettingsHeld.isLocked())
    {
        for (int channel = 0; channel < numOut; ++channel)
            if (outputs[channel] != nullptr)
                juce::FloatVectorOperations::clear (outputs[channel], numSamples);

        return;
    }

    // A host that processes without resuming first gets resumed here, so that the pieces
    // below match what the wrapper prepared for.
    if (! resumed)
        resumeOrSuspend (true);

    const int pieceSize = juce::jmax (1, preparedBlockSize.load());

    for (int done = 0; done < numSamples; done += pieceSize)
    {
        float* pieceInputs[2] {};
        float* pieceOutputs[2] {};

        for (int channel = 0; channel < numIn; ++channel)
            pieceInputs[channel] = inputs[channel] + done;

        for (int channel = 0; channel < numOut; ++channel)
            pieceOutputs[channel] = outputs[channel] != nullptr ? outputs[channel] + done : nullptr;

        pieceOffset = done;
        wrapperEffect->processReplacing (wrapperEffect, pieceInputs, pieceOutputs, juce::jmin (pieceSize, numSamples - done));
    }

    pieceOffset = 0;
}
