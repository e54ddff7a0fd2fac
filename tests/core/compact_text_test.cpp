// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/compact_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using quillary::CompactText;

namespace {
// Lengths around the switch from text kept in place to a block of its own.
const std::vector<std::string>& Samples()
{
    static const std::vector<std::string> samples = [] {
        std::vector<std::string> texts;
        for (std::size_t length : {0, 1, 7, 14, 15, 16, 17, 40, 300})
            texts.push_back(std::string(length, 'a'));
        texts.push_back(std::string("with\0zero", 9));
        texts.push_back("Zoë Ångström, Straße 7");
        return texts;
    }();
    return samples;
}
} // namespace

TEST(CompactText, HoldsEveryLengthAsAStringWouldAndEndsInZero)
{
    for (const std::string& text : Samples()) {
        const CompactText held(text);
        EXPECT_EQ(held.size(), text.size());
        EXPECT_EQ(std::string(held), text);
        EXPECT_EQ(held.c_str()[held.size()], '\0') << text.size();
        EXPECT_EQ(held.empty(), text.empty());
        CompactText copy = held;
        CompactText moved = std::move(copy);
        EXPECT_EQ(moved, held);
        EXPECT_TRUE(copy.empty()); // NOLINT: a moved-from text is left empty, not dangling
    }
}

TEST(CompactText, SortsAndComparesAsStringsDo)
{
    std::vector<std::string> plain = Samples();
    plain.push_back("b");
    plain.push_back("aab");
    std::vector<CompactText> held(plain.begin(), plain.end());
    std::sort(plain.begin(), plain.end());
    std::sort(held.begin(), held.end());
    ASSERT_EQ(held.size(), plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        EXPECT_EQ(held[i], plain[i]);
        EXPECT_EQ(plain[i], held[i]);
    }
    EXPECT_LT(CompactText("abc"), "abd");
    EXPECT_EQ(CompactText("ab") + "c" + CompactText(std::string(20, 'd')), "abc" + std::string(20, 'd'));
}

TEST(CompactText, TakesAPieceOfItselfAndReplacesLongWithShort)
{
    CompactText text(std::string(40, 'x') + "tail");
    text = text.View().substr(36); // the source lives in the block being replaced
    EXPECT_EQ(text, "xxxxtail");
    text = std::string(100, 'y');
    text = text.View().substr(0, 20);
    EXPECT_EQ(text, std::string(20, 'y'));
    text = text; // NOLINT: assigning a text to itself keeps it
    EXPECT_EQ(text, std::string(20, 'y'));
}
