#pragma once

#include <cstddef>

namespace VstText
{
    /** Copies UTF-8 text into a host buffer of the given size, terminator included. The text
        is cut at a character boundary, so the host never gets half a character. A null
        destination or a size of 0 writes nothing; a null text writes an empty string. */
    void copyBounded (char* destination, const char* text, std::size_t bufferBytes) noexcept;
}
