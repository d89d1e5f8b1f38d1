#pragma once

#include <cstddef>
#include <new>

// An allocator for the grid's large cell blocks. A report of a hundred
// thousand rows needs tens of megabytes of cells at once; touching them page
// by page costs more than filling them, so large blocks are mapped with all
// their pages in one request. Small blocks come from the usual heap.
void *BulkAllocate(std::size_t bytes);
void BulkFree(void *block, std::size_t bytes) noexcept;

template<typename T>
struct BulkAllocator {
    using value_type = T;

    BulkAllocator() = default;
    template<typename U>
    BulkAllocator(const BulkAllocator<U> &) noexcept
    {
    }

    T *allocate(std::size_t count) { return static_cast<T *>(BulkAllocate(count * sizeof(T))); }
    void deallocate(T *block, std::size_t count) noexcept { BulkFree(block, count * sizeof(T)); }

    template<typename U>
    friend bool operator==(const BulkAllocator &, const BulkAllocator<U> &) noexcept
    {
        return true;
    }
};
