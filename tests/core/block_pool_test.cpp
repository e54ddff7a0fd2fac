// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/block_pool.h"
#include "common/huge_pages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>

using quillary::BlockPool;

namespace {

struct Live
{
    std::size_t size;
    unsigned char fill;
};

// Blocks of every size a pool serves and some it passes on, enough of them to fill several
// runs, freed and made again in between: no two live blocks may share a byte, each keeps what
// was written into it, and each is aligned to the pool's grain (a pointer's alignment for the
// pool of items, nodes and lists).
void ExpectDisjointAndIntact(const std::map<char*, Live>& live, std::size_t grain)
{
    char* previousEnd = nullptr;
    for (const auto& [block, what] : live) {
        ASSERT_GE(block, previousEnd) << "blocks overlap";
        previousEnd = block + what.size;
        ASSERT_EQ(reinterpret_cast<std::uintptr_t>(block) % grain, 0u);
        ASSERT_TRUE(std::all_of(block, block + what.size, [fill = what.fill](char c) {
            return static_cast<unsigned char>(c) == fill;
        })) << "a block of " << what.size << " bytes was overwritten";
    }
}

void ExerciseBlocks(std::size_t grain)
{
    BlockPool pool(grain);
    std::map<char*, Live> live;
    unsigned char fill = 1;
    const auto make = [&](std::size_t size) {
        auto* block = static_cast<char*>(pool.Allocate(size));
        std::memset(block, fill, size);
        live[block] = {size, fill};
        fill = static_cast<unsigned char>(fill % 250 + 1);
    };
    // About 3 runs' worth.
    for (int round = 0; round < 300; ++round)
        for (std::size_t size = 0; size <= BlockPool::Largest + 40; size += 7)
            make(size);
    ExpectDisjointAndIntact(live, grain);

    // Every other block back, then as many again of shifted sizes: freed blocks are reused.
    bool drop = false;
    for (auto it = live.begin(); it != live.end();) {
        if ((drop = !drop)) {
            pool.Free(it->first, it->second.size);
            it = live.erase(it);
        } else {
            ++it;
        }
    }
    for (int round = 0; round < 20; ++round)
        for (std::size_t size = 3; size <= BlockPool::Largest + 40; size += 11)
            make(size);
    ExpectDisjointAndIntact(live, grain);

    for (const auto& [block, what] : live)
        pool.Free(block, what.size);
}

} // namespace

TEST(BlockPool, BlocksNeverOverlapAndKeepTheirBytesAcrossRunsAndReuse)
{
    static_assert(BlockPool::Grain == alignof(void*));
    ExerciseBlocks(BlockPool::Grain);
    ExerciseBlocks(BlockPool::TextGrain);
}

TEST(BlockPool, HugePageRegionsAreAlignedZeroedAndWholeToTheirEnd)
{
    const std::size_t bytes = quillary::HugePageSize + 12345;
    auto* region = static_cast<unsigned char*>(quillary::MapHugePages(bytes));
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(region) % quillary::HugePageSize, 0u);
    EXPECT_TRUE(std::all_of(region, region + bytes, [](unsigned char c) { return c == 0; }));
    region[0] = 1;
    region[bytes - 1] = 1; // the last byte asked for is mapped and writable
    quillary::UnmapHugePages(region, bytes);
}
