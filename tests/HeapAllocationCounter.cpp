#include "HeapAllocationCounter.h"

#include <cstdlib>
#include <new>

namespace
{
    thread_local bool counting = false;
    thread_local int heapCalls = 0;

    void noteHeapCall()
    {
        if (counting)
            ++heapCalls;
    }

    void* allocateAligned (std::size_t size, std::align_val_t alignment)
    {
        noteHeapCall();

        const auto a = static_cast<std::size_t> (alignment);

        if (void* p = std::aligned_alloc (a, (size + a - 1) / a * a))
            return p;

        throw std::bad_alloc();
    }
}

HeapAllocationCounter::HeapAllocationCounter()
{
    heapCalls = 0;
    counting = true;
}

HeapAllocationCounter::~HeapAllocationCounter()
{
    counting = false;
}

int HeapAllocationCounter::getCount() const
{
    return heapCalls;
}

#if defined (__SANITIZE_ADDRESS__)
 #define HALVENEK_ADDRESS_SANITIZER 1
#elif defined (__has_feature)
 #if __has_feature (address_sanitizer)
  #define HALVENEK_ADDRESS_SANITIZER 1
 #endif
#endif

#if defined (__GLIBC__) && ! defined (HALVENEK_ADDRESS_SANITIZER)
// JUCE's containers allocate with malloc directly, so the C allocator is counted as well.
// (Not under AddressSanitizer, which brings its own allocator: there only operator new
// is counted.)
extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void __libc_free (void*);

    void* malloc (size_t size)                  { noteHeapCall(); return __libc_malloc (size); }
    void* calloc (size_t count, size_t size)    { noteHeapCall(); return __libc_calloc (count, size); }
    void* realloc (void* block, size_t size)    { noteHeapCall(); return __libc_realloc (block, size); }
    void free (void* block)                     { if (block != nullptr) noteHeapCall(); __libc_free (block); }
}
#endif

// operator new counts itself and then calls malloc, which would count again: the
// counting flag is dropped around the inner call.
namespace
{
    void* allocateOnce (std::size_t size)
    {
        noteHeapCall();
        const bool wasCounting = counting;
        counting = false;
        void* p = std::malloc (size == 0 ? 1 : size);
        counting = wasCounting;

        if (p == nullptr)
            throw std::bad_alloc();

        return p;
    }

    void release (void* p) noexcept
    {
        if (p != nullptr)
            noteHeapCall();

        const bool wasCounting = counting;
        counting = false;
        std::free (p);
        counting = wasCounting;
    }
}

void* operator new (std::size_t size)                                    { return allocateOnce (size); }
void* operator new[] (std::size_t size)                                  { return allocateOnce (size); }
void* operator new (std::size_t size, const std::nothrow_t&) noexcept    { try { return allocateOnce (size); } catch (...) { return nullptr; } }
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept  { try { return allocateOnce (size); } catch (...) { return nullptr; } }
void* operator new (std::size_t size, std::align_val_t a)                { return allocateAligned (size, a); }
void* operator new[] (std::size_t size, std::align_val_t a)              { return allocateAligned (size, a); }
void operator delete (void* p) noexcept                                  { release (p); }
void operator delete[] (void* p) noexcept                                { release (p); }
void operator delete (void* p, std::size_t) noexcept                     { release (p); }
void operator delete[] (void* p, std::size_t) noexcept                   { release (p); }
void operator delete (void* p, std::align_val_t) noexcept                { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept              { release (p); }
void operator delete (void* p, std::size_t, std::align_val_t) noexcept   { release (p); }
void operator delete[] (void* p, std::size_t, std::align_val_t) noexcept { release (p); }
