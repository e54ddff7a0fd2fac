// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace quillary {

namespace {
std::size_t WholePages(std::size_t bytes)
{
    return (bytes + HugePageSize - 1) & ~(HugePageSize - 1);
}
} // namespace

void* MapHugePages(std::size_t bytes)
{
    const std::size_t size = WholePages(bytes);
    // Mapped with a huge page to spare, then trimmed to start on a huge page's boundary.
    void* mapped = ::mmap(nullptr, size + HugePageSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + HugePageSize - 1) & ~(std::uintptr_t{HugePageSize} - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::uintptr_t tail = start + HugePageSize - aligned; tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    void* region = reinterpret_cast<void*>(aligned);
    ::madvise(region, size, MADV_HUGEPAGE); // only a hint: the region serves in small pages too
    return region;
}

void UnmapHugePages(void* region, std::size_t bytes) noexcept
{
    if (region)
        ::munmap(region, WholePages(bytes));
}

} // namespace quillary
