// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/pool_allocator.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <span>
#include <utility>

namespace quillary {

// A list that owns its elements, a pointer's size in its owner: one block of the shared pool
// holds the count, the room and the elements' addresses, and an empty list holds no block. Trees
// keep one per node and per item with details, a few hundred thousand mostly short lists, where
// a vector (three pointers, and a block of its own from malloc) costs more than the addresses.
template <typename T> class OwnedList
{
public:
    OwnedList() noexcept = default;
    ~OwnedList() { Clear(); }
    OwnedList(const OwnedList&) = delete;
    OwnedList& operator=(const OwnedList&) = delete;
    OwnedList(OwnedList&& other) noexcept : m_block(std::exchange(other.m_block, nullptr)) {}
    OwnedList& operator=(OwnedList&& other) noexcept
    {
        if (this != &other) {
            Clear();
            m_block = std::exchange(other.m_block, nullptr);
        }
        return *this;
    }

    std::size_t size() const noexcept { return m_block ? m_block->size : 0; }
    bool empty() const noexcept { return !m_block; }
    T* operator[](std::size_t index) const noexcept { return Items()[index]; }
    T* back() const noexcept { return Items()[size() - 1]; }
    T* const* begin() const noexcept { return Items(); }
    T* const* end() const noexcept { return Items() + size(); }
    auto rbegin() const noexcept { return std::reverse_iterator(end()); }
    auto rend() const noexcept { return std::reverse_iterator(begin()); }

    void push_back(std::unique_ptr<T> item)
    {
        if (size() == Room())
            Grow();
        Items()[m_block->size++] = item.release();
    }
    // Takes the element at index out of the list, the ones after it moving up.
    std::unique_ptr<T> take(std::size_t index) noexcept
    {
        T** items = Items();
        std::unique_ptr<T> taken(items[index]);
        std::move(items + index + 1, items + size(), items + index);
        if (--m_block->size == 0)
            Release();
        return taken;
    }
    std::unique_ptr<T> pop_back() noexcept { return take(size() - 1); }
    // The elements' places, to put them in another order: each must stay in the list exactly once.
    std::span<T*> Places() noexcept { return {Items(), size()}; }

private:
    struct Block
    {
        std::uint32_t size;
        std::uint32_t room;
    };
    static_assert(sizeof(Block) % alignof(T*) == 0);

    static std::size_t BlockBytes(std::size_t room) { return sizeof(Block) + room * sizeof(T*); }
    std::size_t Room() const noexcept { return m_block ? m_block->room : 0; }
    T** Items() const noexcept { return m_block ? reinterpret_cast<T**>(m_block + 1) : nullptr; }

    void Grow()
    {
        const std::size_t room = Room() ? 2 * Room() : 1;
        auto* grown = static_cast<Block*>(AllocatePoolBlock(BlockBytes(room)));
        grown->size = static_cast<std::uint32_t>(size());
        grown->room = static_cast<std::uint32_t>(room);
        std::copy(begin(), end(), reinterpret_cast<T**>(grown + 1));
        Release();
        m_block = grown;
    }
    void Release() noexcept
    {
        if (!m_block)
            return;
        const std::size_t bytes = BlockBytes(m_block->room);
        FreePoolBlock(std::exchange(m_block, nullptr), bytes);
    }
    void Clear() noexcept
    {
        for (T* item : *this)
            delete item;
        Release();
    }

    Block* m_block = nullptr;
};

} // namespace quillary
