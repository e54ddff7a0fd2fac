// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace quillary {

// Blocks of the shared BlockPool, for headers that should not see the pool itself.
void* AllocatePoolBlock(std::size_t size);
void FreePoolBlock(void* block, std::size_t size) noexcept;

// A standard allocator over the shared pool, for the small lists items keep: a person's list
// of details grows through four sizes while its record is read, and each step is a block taken
// from, and one given back to, the pool's lists.
template <typename T> struct PoolAllocator
{
    using value_type = T;

    PoolAllocator() = default;
    template <typename U> PoolAllocator(const PoolAllocator<U>&) noexcept {}

    static_assert(alignof(T) <= alignof(void*), "pool blocks are aligned as pointers are");

    T* allocate(std::size_t count) { return static_cast<T*>(AllocatePoolBlock(count * sizeof(T))); }
    void deallocate(T* block, std::size_t count) noexcept { FreePoolBlock(block, count * sizeof(T)); }
    friend bool operator==(const PoolAllocator&, const PoolAllocator&) noexcept { return true; }
};

} // namespace quillary
