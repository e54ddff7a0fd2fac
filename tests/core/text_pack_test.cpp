// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_pack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

using quillary::TextPack;
using quillary::TextView;

namespace {

// Lengths around the switch from a one-byte to a five-byte length, and texts with a zero inside.
std::string SampleText(std::mt19937& random)
{
    static const std::size_t lengths[] = {0, 0, 1, 7, 15, 16, 190, 191, 254, 255, 256, 300, 70000};
    const std::size_t length = lengths[random() % std::size(lengths)];
    std::string text(length, static_cast<char>('a' + random() % 26));
    if (length > 2 && random() % 4 == 0)
        text[length / 2] = '\0';
    return text;
}

void ExpectHolds(const TextPack& pack, const std::vector<std::string>& model, int step)
{
    for (std::size_t i = 0; i < model.size() + 2; ++i) {
        const TextView held = pack.Get(i);
        const std::string expected = i < model.size() ? model[i] : std::string();
        ASSERT_EQ(std::string(held), expected) << "field " << i << " at step " << step;
    }
    // Read all at once, as many as the pack may hold and more, or only the first few.
    for (const std::size_t count : {model.size() + 2, std::size_t{3}}) {
        std::vector<TextView> all(count, TextView("stale"));
        pack.GetAll(all);
        for (std::size_t i = 0; i < count; ++i)
            ASSERT_EQ(all[i].View(), pack.Get(i).View()) << "field " << i << " of " << count << " at step " << step;
    }
}

} // namespace

// The pack is checked against a plain vector of strings through random settings of single texts
// and runs of texts, some of them pieces of the pack's own texts, of every kind of length.
TEST(TextPack, HoldsWhatWasSetAsAVectorOfStringsWould)
{
    std::mt19937 random(7);
    TextPack pack;
    std::vector<std::string> model(16);
    ExpectHolds(pack, model, -1);
    for (int step = 0; step < 3000; ++step) {
        const std::size_t first = random() % 14;
        const std::size_t count = 1 + random() % 3;
        std::vector<std::string> texts;
        texts.reserve(count); // views are taken of them as they come
        std::vector<std::string_view> views;
        for (std::size_t i = 0; i < count; ++i) {
            if (random() % 3 == 0) { // a piece of a text the pack holds now
                const std::string_view own = pack.Get(random() % 16);
                views.push_back(own.substr(own.size() / 3));
                texts.emplace_back(views.back());
            } else {
                texts.push_back(SampleText(random));
                views.push_back(texts.back());
            }
        }
        pack.Set(first, views);
        std::copy(texts.begin(), texts.end(), model.begin() + static_cast<std::ptrdiff_t>(first));
        ExpectHolds(pack, model, step);
    }
    TextPack moved = std::move(pack);
    ExpectHolds(moved, model, 3000);
    ExpectHolds(pack, std::vector<std::string>(16), 3001); // NOLINT: a moved-from pack is empty, not dangling
}

TEST(TextPack, ClearingEveryTextLeavesNothingBehind)
{
    TextPack pack{"title", "", "comment"};
    EXPECT_EQ(pack.Get(0), "title");
    EXPECT_TRUE(pack.Get(1).empty());
    EXPECT_EQ(pack.Get(2), "comment");
    pack.Set(0, {"", "", ""});
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_TRUE(pack.Get(i).empty());
    pack.Set(5, "later");
    EXPECT_EQ(pack.Get(5), "later");
    EXPECT_TRUE(pack.Get(4).empty());
    EXPECT_THROW(pack.Set(TextPack::MostTexts - 1, {"a", "b"}), std::length_error);
    EXPECT_EQ(pack.Get(5), "later");
}

TEST(TextView, SortsComparesAndJoinsAsStringsDo)
{
    std::vector<std::string> plain = {"b", "aab", "", "a", std::string("a\0b", 3), "Zoë Ångström"};
    TextPack pack;
    pack.Set(0, std::vector<std::string_view>(plain.begin(), plain.end()));
    std::vector<TextView> held;
    for (std::size_t i = 0; i < plain.size(); ++i)
        held.push_back(pack.Get(i));
    std::sort(plain.begin(), plain.end());
    std::sort(held.begin(), held.end());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(held[i], plain[i]);
        EXPECT_EQ(plain[i], held[i]);
    }
    const TextPack joined{"ab", std::string(20, 'd')};
    EXPECT_LT(joined.Get(0), "abc");
    EXPECT_EQ(joined.Get(0) + "c" + joined.Get(1), "abc" + std::string(20, 'd'));
    EXPECT_EQ('<' + joined.Get(0) + '>', "<ab>");
}
