#pragma once
// Memory for the scanner's large texts. Taken from the system 4 KiB at a time, tens of
// megabytes cost more than reading them from a file; Linux can back such memory with huge
// pages (2 MiB) when asked to, and elsewhere the advice is simply not given.

#include <cstddef>

namespace orvanel::project {

inline constexpr std::size_t kHugePage = 2u << 20;

// Memory of `size` bytes (a multiple of kHugePage) starting on a huge page's boundary;
// nullptr when the system has none to give.
char* takeLargeMemory(std::size_t size);
void giveLargeMemory(char* data, std::size_t size);
// Asks for huge pages behind the huge-page-aligned part of memory not yet written to.
void adviseLargeMemory(void* data, std::size_t size);

} // namespace orvanel::project
