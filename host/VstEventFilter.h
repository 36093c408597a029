#pragma once

#include "VstInterface.h"

#include <memory>

/** Passes on a host's event list without the entries that would make the wrapper read memory
    that is not there: null entries, unknown event types, system-exclusive events without
    data or with an absurd length. Runs on the audio thread, so the list it hands on lives in
    storage reserved up front; entries beyond its capacity are not looked at. */
class VstEventFilter
{
public:
    static constexpr int capacity = 1024;
    static constexpr VstIntPtr maxSysexBytes = 65536;

    VstEventFilter();

    /** The usable events of the host's list, or null when there are none. */
    VstEvents* filter (const VstEvents* events) noexcept;

private:
    static bool isUsable (const VstEvent*) noexcept;

    std::unique_ptr<char[]> storage;
    VstEvents* list;
};
