#pragma once

/** Counts the heap allocations made through operator new on the calling thread while an
    instance exists. The test program replaces the global operator new for this. */
class HeapAllocationCounter
{
public:
    HeapAllocationCounter();
    ~HeapAllocationCounter();

    int getCount() const;

    HeapAllocationCounter (const HeapAllocationCounter&) = delete;
    HeapAllocationCounter& operator= (const HeapAllocationCounter&) = delete;
};
