// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/block_pool.h"

#include "common/huge_pages.h"
#include "common/pool_allocator.h"

#include <new>

namespace quillary {

namespace {

// Under the address sanitizer every block comes from operator new, so a block used after it was
// freed is still caught, as it would not be once it sat in one of the pool's lists.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool Sanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool Sanitized = true;
#else
constexpr bool Sanitized = false;
#endif
#else
constexpr bool Sanitized = false;
#endif

} // namespace

BlockPool::~BlockPool()
{
    while (m_runs) {
        Run* previous = m_runs->previous;
        UnmapHugePages(m_runs, RunSize);
        m_runs = previous;
    }
}

BlockPool& BlockPool::Shared()
{
    static BlockPool* const shared = new BlockPool;
    return *shared;
}

void* BlockPool::Allocate(std::size_t size)
{
    if (Sanitized || size > Largest)
        return ::operator new(size);
    const std::size_t sizeClass = SizeClass(size);
    const std::lock_guard lock(m_lock);
    if (FreeBlock* reused = m_free[sizeClass]) {
        m_free[sizeClass] = reused->next;
        return reused;
    }
    return Cut(sizeClass * Grain);
}

void BlockPool::Free(void* block, std::size_t size) noexcept
{
    if (!block)
        return;
    if (Sanitized || size > Largest) {
        ::operator delete(block); // unsized: clang offers sized delete only when asked to
        return;
    }
    const std::size_t sizeClass = SizeClass(size);
    const std::lock_guard lock(m_lock);
    m_free[sizeClass] = ::new (block) FreeBlock{m_free[sizeClass]};
}

char* BlockPool::Cut(std::size_t bytes)
{
    if (static_cast<std::size_t>(m_end - m_next) < bytes)
        NewRun();
    char* block = m_next;
    m_next += bytes;
    return block;
}

// What is left of the run before is too small for this block and is given up: under Largest
// bytes of each 2 MiB.
void BlockPool::NewRun()
{
    static_assert(sizeof(Run) <= Grain);
    auto* run = static_cast<char*>(MapHugePages(RunSize));
    m_runs = ::new (run) Run{m_runs};
    m_next = run + Grain;
    m_end = run + RunSize;
}

void* AllocatePoolBlock(std::size_t size)
{
    return BlockPool::Shared().Allocate(size);
}

void FreePoolBlock(void* block, std::size_t size) noexcept
{
    BlockPool::Shared().Free(block, size);
}

} // namespace quillary
