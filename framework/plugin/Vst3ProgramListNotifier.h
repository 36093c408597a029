#pragma once

namespace Steinberg
{
    class FUnknown;
    namespace Vst { class IUnitHandler; }
}

/** Tells a VST3 host that the names in the plug-in's program list changed, so that it reads
    them again. JUCE's VST3 wrapper hands the host's component handler to the processor but
    never sends that notice itself. Holds a reference to the handler's unit-handler interface
    while it has one; used on the message thread only. */
class Vst3ProgramListNotifier
{
public:
    Vst3ProgramListNotifier() = default;
    ~Vst3ProgramListNotifier();

    /** Takes the host's component handler; null, or a handler without the unit-handler
        interface, leaves nothing to notify. */
    void setComponentHandler (Steinberg::FUnknown* componentHandler);

    /** Marks every program of the list invalid, so the host reads all the names again. */
    void announceNamesChanged() const;

private:
    void releaseHandler();

    Steinberg::Vst::IUnitHandler* unitHandler = nullptr;

    Vst3ProgramListNotifier (const Vst3ProgramListNotifier&) = delete;
    Vst3ProgramListNotifier& operator= (const Vst3ProgramListNotifier&) = delete;
};
