#pragma once

/** Counts the heap calls (allocations and releases, through operator new and delete or
    the C allocator, which JUCE's containers use directly) made on the calling thread
    while an instance exists. The test program replaces the global allocation functions
    for this. */
class HeapAllocationCounter
{
public:
    HeapAllocationCounter();
    ~HeapAllocationCounter();

    int getCount() const;

    HeapAllocationCounter (const HeapAllocationCounter&) = delete;
    HeapAllocationCounter& operator= (const HeapAllocationCounter&) = delete;
};
