#include "NumberText.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace NumberText
{
    juce::String formatG9 (double value)
    {
        char buffer[64];
        std::snprintf (buffer, sizeof (buffer), "%.9g", value);
        return buffer;
    }

    juce::String formatFixed (double value, int decimalPlaces)
    {
        char buffer[512];
        std::snprintf (buffer, sizeof (buffer), "%.*f", decimalPlaces, value);
        return buffer;
    }

    long long parseLeadingInteger (const juce::String& text)
    {
        auto p = text.getCharPointer();

        while (p.isWhitespace())
            ++p;

        bool negative = false;

        if (*p == '-' || *p == '+')
        {
            negative = (*p == '-');
            ++p;
        }

        constexpr auto limit = std::numeric_limits<long long>::max();
        long long result = 0;

        for (; p.isDigit(); ++p)
        {
            const int digit = (int) (*p - '0');

            if (result > (limit - digit) / 10)
                return negative ? std::numeric_limits<long long>::min() : limit;

            result = result * 10 + digit;
        }

        return negative ? -result : result;
    }

    double parseNumber (const juce::String& text)
    {
        // JUCE also reads "nan" and "inf", and overlong exponents overflow to infinity;
        // none of these is a number a value could take.
        const double value = text.getDoubleValue();
        return std::isfinite (value) ? value : 0.0;
    }
}
