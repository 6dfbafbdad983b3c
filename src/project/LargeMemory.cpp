#include "project/LargeMemory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace orvanel::project {

namespace {

std::uintptr_t alignUp(std::uintptr_t at)
{
    return (at + kHugePage - 1) / kHugePage * kHugePage;
}

} // namespace

char* takeLargeMemory(std::size_t size)
{
#if defined(__linux__)
    // Mapped with room to start on a huge page's boundary; the rest is given back.
    void* mapped = ::mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        return nullptr;
    char* const start = static_cast<char*>(mapped);
    char* const aligned = reinterpret_cast<char*>(alignUp(reinterpret_cast<std::uintptr_t>(start)));
    if (aligned > start)
        ::munmap(start, static_cast<std::size_t>(aligned - start));
    if (const std::size_t tail = static_cast<std::size_t>(start + kHugePage - aligned); tail > 0)
        ::munmap(aligned + size, tail);
    adviseLargeMemory(aligned, size);
    return aligned;
#else
    return static_cast<char*>(std::malloc(size));
#endif
}

void giveLargeMemory(char* data, std::size_t size)
{
#if defined(__linux__)
    ::munmap(data, size);
#else
    (void)size;
    std::free(data);
#endif
}

void adviseLargeMemory(void* data, std::size_t size)
{
#if defined(__linux__)
    const std::uintptr_t start = alignUp(reinterpret_cast<std::uintptr_t>(data));
    const std::uintptr_t end = (reinterpret_cast<std::uintptr_t>(data) + size) / kHugePage * kHugePage;
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE); // only advice
#else
    (void)data;
    (void)size;
#endif
}

} // namespace orvanel::project
