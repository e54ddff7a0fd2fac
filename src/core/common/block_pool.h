// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/huge_pages.h"
#include "common/spin_lock.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace quillary {

// Hands out the small blocks a tree is made of (items, nodes, long texts), cut in turn from runs
// of huge pages (see huge_pages.h), with no header per block. A freed block waits in a list for
// the next block of its size; runs stay with the process.
class BlockPool
{
public:
    // Blocks larger than this come from operator new.
    static constexpr std::size_t Largest = 512;
    // The shared pool cuts blocks in steps of a pointer's size and aligns them to it: what lives
    // in them (items, nodes, lists) needs no more, and a step of malloc's 16 bytes would waste
    // 4 bytes of a block on average, for a few million blocks.
    static constexpr std::size_t Grain = alignof(void*);
    // Texts need no alignment: their pool cuts steps of 2 bytes, which wastes 3 bytes less of
    // each item's texts than steps of 8 would.
    static constexpr std::size_t TextGrain = 2;
    static constexpr std::size_t RunSize = HugePageSize;

    // grain is a power of two from TextGrain to Grain; blocks are aligned to it.
    explicit BlockPool(std::size_t grain = Grain);
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    // Only a pool of its own (a test's) is ever destroyed; its runs go back to the system.
    ~BlockPool();

    void* Allocate(std::size_t size);
    // size must be the size the block was asked for.
    void Free(void* block, std::size_t size) noexcept;

    // The pools every tree shares, for items, nodes and lists, and for texts. They live to the
    // end of the process, since static objects destroyed at exit may still return blocks to them.
    static BlockPool& Shared();
    static BlockPool& SharedText();

private:
    // A freed block holds the address of the next free block of its size, copied in and out since
    // a block of a finer grain than a pointer's is not aligned for one.
    using FreeBlock = char;
    struct Run
    {
        Run* previous;
    };
    // Every block can hold that address.
    std::size_t SizeClass(std::size_t size) const
    {
        return (std::max(size, sizeof(FreeBlock*)) + m_grain - 1) / m_grain;
    }
    char* Cut(std::size_t bytes);
    void NewRun();

    std::size_t m_grain;
    SpinLock m_lock;
    std::array<FreeBlock*, Largest / TextGrain + 1> m_free{};
    char* m_next = nullptr;
    char* m_end = nullptr;
    Run* m_runs = nullptr;
};

} // namespace quillary
