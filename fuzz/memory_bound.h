// SPDX-License-Identifier: GPL-3.0-or-later
// What an input makes the code under test hold at most, counted through the sanitizer's allocation
// hooks: a reader whose memory is not proportional to its input is a finding like a crash.
#pragma once

#include <sanitizer/allocator_interface.h>

#include <atomic>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

inline std::atomic<std::size_t> held{0};
inline std::atomic<std::size_t> peak{0};

inline void CountAllocation(const volatile void*, std::size_t size)
{
    const std::size_t now = held.fetch_add(size) + size;
    std::size_t seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
}

inline void CountRelease(const volatile void* pointer)
{
    held.fetch_sub(__sanitizer_get_allocated_size(const_cast<const void*>(pointer)));
}

// From here on, the most held beyond what was held at the start.
class MemoryBound
{
public:
    MemoryBound()
    {
        [[maybe_unused]] static const bool installed =
            __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountRelease) != 0;
        m_start = held.load();
        peak.store(m_start);
    }

    // Stops the run when more than perByte times the input and slack bytes were held at once.
    void Check(std::size_t inputSize, std::size_t perByte, std::size_t slack) const
    {
        const std::size_t most = peak.load() - m_start;
        if (most > inputSize * perByte + slack) {
            std::fprintf(stderr, "memory bound: %zu bytes held for an input of %zu bytes\n", most, inputSize);
            std::abort();
        }
    }

private:
    std::size_t m_start = 0;
};

} // namespace fuzz
