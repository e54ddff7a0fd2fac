// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <thread>

namespace quillary {

// The lock of the shared pools, held for a few instructions and taken millions of times while a
// file is read, nearly always by the one thread that makes items. Taking it is one exchange and
// giving it back a plain store, where a mutex costs two atomic operations a use. A thread that
// finds it held gives way to others until it is free.
class SpinLock
{
public:
    void lock() noexcept
    {
        while (m_held.exchange(true, std::memory_order_acquire))
            while (m_held.load(std::memory_order_relaxed))
                std::this_thread::yield();
    }
    void unlock() noexcept { m_held.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_held{false};
};

} // namespace quillary
