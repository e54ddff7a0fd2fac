// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/block_pool.h"

#include "common/huge_pages.h"
#include "common/pool_allocator.h"

#include <cassert>
#include <cstring>
#include <mutex>
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

BlockPool::BlockPool(std::size_t grain) : m_grain(grain)
{
    assert(grain >= TextGrain && grain <= Grain && (grain & (grain - 1)) == 0);
}

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

BlockPool& BlockPool::SharedText()
{
    static BlockPool* const shared = new BlockPool(TextGrain);
    return *shared;
}

void* BlockPool::Allocate(std::size_t size)
{
    if (Sanitized || size > Largest)
        return ::operator new(size);
    const std::size_t sizeClass = SizeClass(size);
    const std::lock_guard lock(m_lock);
    if (FreeBlock* reused = m_free[sizeClass]) {
        std::memcpy(&m_free[sizeClass], reused, sizeof(FreeBlock*));
        return reused;
    }
    return Cut(sizeClass * m_grain);
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
    std::memcpy(block, &m_free[sizeClass], sizeof(FreeBlock*));
    m_free[sizeClass] = static_cast<FreeBlock*>(block);
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
    static_assert(sizeof(Run) == Grain);
    auto* run = static_cast<char*>(MapHugePages(RunSize));
    m_runs = ::new (run) Run{m_runs};
    m_next = run + sizeof(Run);
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
