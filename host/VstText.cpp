#include "VstText.h"

#include <cstring>

namespace VstText
{
    static bool isContinuationByte (unsigned char c) noexcept   { return (c & 0xc0) == 0x80; }

    void copyBounded (char* destination, const char* text, std::size_t bufferBytes) noexcept
    {
        if (destination == nullptr || bufferBytes == 0)
            return;

        std::size_t length = text != nullptr ? std::strlen (text) : 0;

        if (length >= bufferBytes)
        {
            length = bufferBytes - 1;

            while (length > 0 && isContinuationByte ((unsigned char) text[length]))
                --length;
        }

        if (length > 0)
            std::memcpy (destination, text, length);

        destination[length] = 0;
    }
}
