// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/huge_pages.h"

#include <cstddef>
#include <cstdlib>
#include <new>
#include <type_traits>
#include <utility>

namespace quillary {

// For a large table of trivial slots that must start as zeros: calloc hands over fresh pages the
// system has already cleared, which are then only touched as slots are used, where a vector's
// own value-initialisation writes every byte at once. Slots made without arguments are left as
// calloc gave them, zeros. Tables of a huge page or more are mapped in huge pages, one fault
// for each 2 MiB where there were 512.
template <typename T> struct ZeroedAllocator
{
    static_assert(std::is_trivial_v<T>);
    using value_type = T;

    ZeroedAllocator() = default;
    template <typename U> ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}

    T* allocate(std::size_t count)
    {
        if (count >= HugePageSize / sizeof(T))
            return static_cast<T*>(MapHugePages(count * sizeof(T)));
        void* block = std::calloc(count, sizeof(T));
        if (!block)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* block, std::size_t count) noexcept
    {
        if (count >= HugePageSize / sizeof(T))
            UnmapHugePages(block, count * sizeof(T));
        else
            std::free(block);
    }
    template <typename U> void construct(U* place) noexcept { ::new (static_cast<void*>(place)) U; }
    template <typename U, typename... Args> void construct(U* place, Args&&... args)
    {
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(const ZeroedAllocator&, const ZeroedAllocator&) noexcept { return true; }
};

} // namespace quillary
