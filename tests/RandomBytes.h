#pragma once

#include <juce_core/juce_core.h>

/** Seeded random bytes for damaging documents in tests. (Random::fillBitsRandomly writes
    whole ints to addresses that need not be aligned for them.) */
inline void fillWithRandomBytes (juce::Random& random, void* destination, size_t numBytes)
{
    auto* bytes = static_cast<juce::uint8*> (destination);

    for (size_t i = 0; i < numBytes; ++i)
        bytes[i] = (juce::uint8) random.nextInt (256);
}
