#include "CanDoTable.h"

#include <cstring>

namespace CanDoTable
{
    namespace
    {
        struct Entry
        {
            const char* query;
            int answer;
        };

        constexpr Entry entries[] {
            { "receiveVstEvents",      1 },
            { "receiveVstMidiEvent",   1 },
            { "receiveVstMidiEvents",  1 },
            { "sendVstEvents",        -1 },
            { "sendVstMidiEvent",     -1 },
            { "sendVstMidiEvents",    -1 },
            { "receiveVstTimeInfo",    1 },
            { "conformsToWindowRules", 1 },
            { "openCloseAnyThread",   -1 },
        };
    }

    int answer (const char* query) noexcept
    {
        if (query == nullptr)
            return 0;

        for (const auto& entry : entries)
            if (std::strcmp (query, entry.query) == 0)
                return entry.answer;

        return 0;
    }
}
