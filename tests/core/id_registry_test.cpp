// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/id_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace quillary;

// A file's identifiers are gathered and entered together; whatever asks in between sees them all,
// and a drawn identifier avoids them.
TEST(IdRegistry, GatheredIdentifiersCountAsSoonAsAnythingAsks)
{
    IdRegistry registry;
    registry.SetRandomSource([next = 0](std::int32_t) mutable { return next++ < 2 ? 7 : 1; }); // 49, then 1
    registry.BeginBatch();
    for (std::int32_t id = 1; id <= 1000; ++id)
        registry.Add(id * 7);
    registry.Add(14);
    EXPECT_EQ(registry.Draw(), 1); // 49 is taken
    registry.Add(21);
    EXPECT_TRUE(registry.InUse(7000));
    registry.Remove(14);
    EXPECT_TRUE(registry.InUse(14)); // added twice
    registry.Add(5);
    registry.EndBatch();
    EXPECT_TRUE(registry.InUse(5));
    registry.Remove(14);
    EXPECT_FALSE(registry.InUse(14));
    for (std::int32_t id = 3; id <= 1000; ++id)
        EXPECT_TRUE(registry.InUse(id * 7)) << id;
}

// Counts follow every add and remove, also for identifiers that share their low bits and for
// removals in the middle of a probe chain, checked against a plain map.
TEST(IdRegistry, KeepsCountsLikeAMap)
{
    IdRegistry registry;
    std::map<std::int32_t, int> reference;
    std::mt19937 random(7);
    const auto pickId = [&] {
        switch (random() % 3) {
        case 0:
            return static_cast<std::int32_t>(random() % 64) << 20; // shared low bits
        case 1:
            return static_cast<std::int32_t>(random() % 500);
        default:
            return static_cast<std::int32_t>(random());
        }
    };
    for (int step = 0; step < 20000; ++step) {
        const std::int32_t id = pickId();
        if (random() % 3 == 0) {
            registry.Remove(id);
            if (auto it = reference.find(id); it != reference.end() && --it->second == 0)
                reference.erase(it);
        } else {
            registry.Add(id);
            ++reference[id];
        }
    }
    for (std::int32_t id = 0; id < 500; ++id)
        EXPECT_EQ(registry.InUse(id), reference.contains(id)) << id;
    for (std::int32_t high = 0; high < 64; ++high)
        EXPECT_EQ(registry.InUse(high << 20), reference.contains(high << 20)) << high;
    for (const auto& [id, count] : reference)
        EXPECT_TRUE(registry.InUse(id)) << id;
    registry.Remove(123456789); // unknown: nothing happens
}

// A large read gathers more identifiers than a huge page holds, entered slice by slice, and the
// room it gathered in serves the next read as well.
TEST(IdRegistry, ALargeReadGatheredSliceBySliceKeepsEveryIdentifier)
{
    IdRegistry registry;
    constexpr std::int32_t Count = 700000;
    for (int read = 0; read < 2; ++read) {
        const std::int32_t first = read * Count + 1;
        IdBatch batch(registry);
        for (std::int32_t id = first; id < first + Count; ++id) {
            registry.Add(id);
            if (id % 250000 == 0)
                batch.Enter();
        }
        EXPECT_TRUE(registry.InUse(first + Count - 1)) << "asking enters what was gathered";
    }
    for (std::int32_t id = 1; id <= 2 * Count; ++id)
        ASSERT_TRUE(registry.InUse(id)) << id;
    EXPECT_FALSE(registry.InUse(2 * Count + 1));
}
