#include "controls/bulkallocator.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kBulkThreshold = std::size_t(1) << 20;

} // namespace

void *BulkAllocate(std::size_t bytes)
{
#if defined(__linux__) && defined(MAP_POPULATE)
    if (bytes >= kBulkThreshold) {
        void *block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (block == MAP_FAILED)
            throw std::bad_alloc();
        return block;
    }
#endif
    return ::operator new(bytes);
}

void BulkFree(void *block, std::size_t bytes) noexcept
{
    if (!block)
        return;
#if defined(__linux__) && defined(MAP_POPULATE)
    if (bytes >= kBulkThreshold) {
        munmap(block, bytes);
        return;
    }
#endif
    ::operator delete(block);
}
