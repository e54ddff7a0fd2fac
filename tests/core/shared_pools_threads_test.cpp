// SPDX-License-Identifier: GPL-3.0-or-later
// The sync thread makes items while the window's thread may be reading a file: both take blocks
// and offer texts from the same pools at once.
#include "common/block_pool.h"
#include "common/shared_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace quillary {
namespace {

struct HeldBlock
{
    BlockPool* pool;
    char* bytes;
    std::size_t size;
};

// Takes and gives back blocks of both pools, each filled with mark while held, and offers texts;
// counts what another thread has written over or what comes back wrong.
int TakeAndGive(char mark, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<HeldBlock> held;
    int faults = 0;
    const auto giveBack = [&](std::size_t index) {
        const HeldBlock block = held[index];
        faults += std::any_of(block.bytes, block.bytes + block.size, [&](char c) { return c != mark; });
        block.pool->Free(block.bytes, block.size);
        held[index] = held.back();
        held.pop_back();
    };
    for (int round = 0; round < 100000; ++round) {
        if (held.size() < 64 && random() % 3 != 0) {
            BlockPool& pool = random() % 2 ? BlockPool::Shared() : BlockPool::SharedText();
            const std::size_t size = 1 + random() % 120;
            auto* bytes = static_cast<char*>(pool.Allocate(size));
            std::fill(bytes, bytes + size, mark);
            held.push_back({&pool, bytes, size});
        } else if (!held.empty()) {
            giveBack(random() % held.size());
        }
        const std::string text = "a text both threads offer " + std::to_string(random() % 300);
        const std::string_view view = text;
        std::uint32_t entry = SharedTexts::NotKept;
        SharedTexts::Shared().Offer(std::span(&view, 1), &entry);
        faults += entry != SharedTexts::NotKept && SharedTexts::Shared().Text(entry) != text;
    }
    while (!held.empty())
        giveBack(held.size() - 1);
    return faults;
}

TEST(SharedPools, TwoThreadsTakingBlocksAndOfferingTextsAtOnceNeverShareABlock)
{
    std::atomic<int> otherFaults = 0;
    std::thread other([&] { otherFaults = TakeAndGive('b', 2); });
    const int faults = TakeAndGive('a', 1);
    other.join();
    EXPECT_EQ(faults, 0);
    EXPECT_EQ(otherFaults, 0);
}

} // namespace
} // namespace quillary
