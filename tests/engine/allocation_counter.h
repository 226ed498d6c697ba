// Counts every heap allocation of the program by replacing the global operator new. Include it
// in exactly one source file of a program, and not in a sanitized build: the sanitizers' own
// allocator must stay in place. The replacement hands out malloc memory that its operator delete
// frees, so GCC's mismatched-new-delete warning does not apply.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> heapAllocations{0};

void* operator new(size_t size) {
    heapAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
