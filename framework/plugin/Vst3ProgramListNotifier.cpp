#include "Vst3ProgramListNotifier.h"

#include <juce_audio_processors/juce_audio_processors.h>

#if JucePlugin_Build_VST3

JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wshadow", "-Wnon-virtual-dtor", "-Wunused-parameter")
#include <pluginterfaces/vst/ivstunits.h>
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

namespace
{
    // JUCE's VST3 wrapper lists the programs under the ID of its program parameter.
    constexpr Steinberg::Vst::ProgramListID wrapperProgramListId = 0x70727374;  // 'prst'
}

Vst3ProgramListNotifier::~Vst3ProgramListNotifier()
{
    releaseHandler();
}

void Vst3ProgramListNotifier::setComponentHandler (Steinberg::FUnknown* componentHandler)
{
    releaseHandler();

    void* found = nullptr;

    if (componentHandler != nullptr
        && componentHandler->queryInterface (Steinberg::Vst::IUnitHandler_iid, &found) == Steinberg::kResultOk)
        unitHandler = static_cast<Steinberg::Vst::IUnitHandler*> (found);   // queryInterface added the reference
}

void Vst3ProgramListNotifier::announceNamesChanged() const
{
    if (unitHandler != nullptr)
        unitHandler->notifyProgramListChange (wrapperProgramListId, Steinberg::Vst::kAllProgramInvalid);
}

void Vst3ProgramListNotifier::releaseHandler()
{
    if (unitHandler != nullptr)
        std::exchange (unitHandler, nullptr)->release();
}

#endif
