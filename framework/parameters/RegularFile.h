#pragma once

#include <juce_core/juce_core.h>

/** Reading a whole file that a user or a settings file names, which may as well be a
    device, a FIFO or a folder: only a regular file is read, only up to a size limit, and
    it is opened without blocking, so that neither an endless device nor a FIFO without a
    writer can stall or exhaust the caller. */
namespace RegularFile
{
    /** True when the path names a regular file (links followed) of at most maximumBytes. */
    bool isReadable (const juce::File& file, juce::int64 maximumBytes);

    /** Reads the whole file into the block; false, with the block empty, when it is not a
        regular file of at most maximumBytes or cannot be read. */
    bool read (const juce::File& file, juce::MemoryBlock& bytes, juce::int64 maximumBytes);
}
