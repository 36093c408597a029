#pragma once

/** The plug-in's answers to a host's canDo queries: 1 yes, -1 no, 0 for every query the
    table does not name (and for a null query). */
namespace CanDoTable
{
    int answer (const char* query) noexcept;
}
