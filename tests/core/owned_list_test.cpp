// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/owned_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

using quillary::OwnedList;

namespace {

// Counts the living elements, so a lost or doubly freed element shows.
struct Counted
{
    explicit Counted(int v) : value(v) { ++living; }
    ~Counted() { --living; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    int value;
    static inline int living = 0;
};

std::vector<int> Values(const OwnedList<Counted>& list)
{
    std::vector<int> values;
    for (const Counted* item : list)
        values.push_back(item->value);
    return values;
}

} // namespace

// Random adds, takes from anywhere, reorderings and moves, against a vector of the same values;
// every element is freed exactly once, and an emptied list holds nothing.
TEST(OwnedList, KeepsOrderAndFreesEachElementOnce)
{
    std::mt19937 random(7);
    {
        OwnedList<Counted> list;
        std::vector<int> model;
        for (int step = 0; step < 20000; ++step) {
            const unsigned action = random() % 10;
            if (action < 6 || model.empty()) {
                list.push_back(std::make_unique<Counted>(step));
                model.push_back(step);
            } else if (action < 9) {
                const std::size_t index = random() % model.size();
                const std::unique_ptr<Counted> taken = list.take(index);
                ASSERT_EQ(taken->value, model[index]);
                model.erase(model.begin() + static_cast<std::ptrdiff_t>(index));
            } else {
                std::span<Counted*> places = list.Places();
                std::reverse(places.begin(), places.end());
                std::reverse(model.begin(), model.end());
            }
            ASSERT_EQ(list.size(), model.size());
            ASSERT_EQ(list.empty(), model.empty());
            ASSERT_EQ(Counted::living, static_cast<int>(model.size()));
        }
        ASSERT_EQ(Values(list), model);
        ASSERT_EQ(list.back()->value, model.back());
        std::vector<int> backwards;
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            backwards.push_back((*it)->value);
        ASSERT_TRUE(std::equal(backwards.begin(), backwards.end(), model.rbegin(), model.rend()));

        OwnedList<Counted> moved(std::move(list));
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(Values(moved), model);
        OwnedList<Counted> other;
        other.push_back(std::make_unique<Counted>(-1));
        other = std::move(moved);
        EXPECT_EQ(Values(other), model);
        while (!other.empty())
            other.pop_back();
        EXPECT_EQ(Counted::living, 0);
        EXPECT_EQ(other.begin(), other.end());
        other.push_back(std::make_unique<Counted>(1));
        other.push_back(std::make_unique<Counted>(2));
    }
    EXPECT_EQ(Counted::living, 0);
}
