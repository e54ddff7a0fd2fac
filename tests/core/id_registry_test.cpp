// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/id_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace quillary;

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
