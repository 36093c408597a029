#include "VstEventFilter.h"

#include <cstddef>

VstEventFilter::VstEventFilter()
    : storage (new char[offsetof (VstEvents, events) + capacity * sizeof (VstEvent*)]),
      list (reinterpret_cast<VstEvents*> (storage.get()))
{
    list->numEvents = 0;
}

bool VstEventFilter::isUsable (const VstEvent* event) noexcept
{
    if (event == nullptr)
        return false;

    if (event->type == kVstMidiType)
        return true;

    if (event->type == kVstSysExType)
    {
        const auto* sysex = reinterpret_cast<const VstMidiSysexEvent*> (event);
        return sysex->sysexDump != nullptr && sysex->dumpBytes > 0 && sysex->dumpBytes <= maxSysexBytes;
    }

    return false;
}

VstEvents* VstEventFilter::filter (const VstEvents* events) noexcept
{
    if (events == nullptr || events->numEvents <= 0)
        return nullptr;

    // A host's count is not trusted beyond what the list here can hold.
    const int count = events->numEvents < capacity ? events->numEvents : capacity;
    int used = 0;

    for (int i = 0; i < count; ++i)
        if (isUsable (events->events[i]))
            list->events[used++] = events->events[i];

    list->numEvents = used;
    return used > 0 ? list : nullptr;
}
