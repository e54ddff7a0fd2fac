// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/huge_pages.h"

#include <array>
#include <cstddef>
#include <mutex>

namespace quillary {

// Hands out the small blocks a tree is made of (items, nodes, long texts), cut in turn from runs
// of huge pages (see huge_pages.h), with no header per block. A freed block waits in a list for
// the next block of its size; runs stay with the process.
class BlockPool
{
public:
    // Blocks larger than this come from operator new.
    static constexpr std::size_t Largest = 512;
    // Blocks are cut in steps of a pointer's size and aligned to it: what lives in them (items,
    // nodes, lists and texts) needs no more, and a step of malloc's 16 bytes would waste 4 bytes
    // of a block on average, for a few million blocks.
    static constexpr std::size_t Grain = alignof(void*);
    static constexpr std::size_t RunSize = HugePageSize;

    BlockPool() = default;
    BlockPool(const BlockPool&) = delete;
    BlockPool& operator=(const BlockPool&) = delete;
    // Only a pool of its own (a test's) is ever destroyed; its runs go back to the system.
    ~BlockPool();

    void* Allocate(std::size_t size);
    // size must be the size the block was asked for.
    void Free(void* block, std::size_t size) noexcept;

    // The pool every tree shares. It lives to the end of the process, since static objects
    // destroyed at exit may still return blocks to it.
    static BlockPool& Shared();

private:
    struct FreeBlock
    {
        FreeBlock* next;
    };
    struct Run
    {
        Run* previous;
    };
    static std::size_t SizeClass(std::size_t size) { return size == 0 ? 1 : (size + Grain - 1) / Grain; }
    char* Cut(std::size_t bytes);
    void NewRun();

    std::mutex m_lock;
    std::array<FreeBlock*, Largest / Grain + 1> m_free{};
    char* m_next = nullptr;
    char* m_end = nullptr;
    Run* m_runs = nullptr;
};

} // namespace quillary
