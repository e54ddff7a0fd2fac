// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/shared_texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quillary::SharedTexts;

namespace {

std::uint32_t OfferOne(SharedTexts& shared, std::string_view text)
{
    std::uint32_t entry;
    shared.Offer(std::span(&text, 1), &entry);
    return entry;
}

} // namespace

// A text is kept from its second offer on, under one entry, and the view of a kept text stays
// where it is however many texts are kept after it.
TEST(SharedTexts, KeepsATextFromItsSecondOfferUnderOneEntry)
{
    SharedTexts shared;
    EXPECT_EQ(OfferOne(shared, "E-Mail"), SharedTexts::NotKept);
    const std::uint32_t mail = OfferOne(shared, "E-Mail");
    ASSERT_NE(mail, SharedTexts::NotKept);
    EXPECT_EQ(OfferOne(shared, "E-Mail"), mail);
    const std::string_view held = shared.Text(mail);
    EXPECT_EQ(held, "E-Mail");

    // Texts of every keepable length, the first words alike, enough to grow the index many times.
    std::vector<std::uint32_t> entries;
    std::vector<std::string> texts;
    for (int i = 0; i < 10000; ++i) {
        const std::string text = std::string(3 + i % 56, 'x') + std::to_string(i);
        texts.push_back(text);
        OfferOne(shared, text);
        entries.push_back(OfferOne(shared, text));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        ASSERT_NE(entries[i], SharedTexts::NotKept) << texts[i];
        EXPECT_EQ(shared.Text(entries[i]), texts[i]);
        EXPECT_EQ(OfferOne(shared, texts[i]), entries[i]);
    }
    EXPECT_EQ(held.data(), shared.Text(mail).data());

    // All at once, as many texts as an item has and more.
    const std::vector<std::string_view> views(texts.begin(), texts.end());
    std::vector<std::uint32_t> together(views.size());
    shared.Offer(views, together.data());
    EXPECT_EQ(together, entries);
    EXPECT_EQ(shared.Count(), 1 + texts.size()) << "texts alike are told apart";
}

TEST(SharedTexts, LeavesTooShortTooLongAndUniqueTextsAlone)
{
    SharedTexts shared;
    const std::string tooLong(SharedTexts::Longest + 1, 'a');
    const std::string longest(SharedTexts::Longest, 'a');
    const std::string_view texts[] = {"abc", "", tooLong, longest, "abcd", "+1 555 0100"};
    std::uint32_t entries[std::size(texts)];
    shared.Offer(texts, entries);
    shared.Offer(texts, entries);
    EXPECT_EQ(entries[0], SharedTexts::NotKept);
    EXPECT_EQ(entries[1], SharedTexts::NotKept);
    EXPECT_EQ(entries[2], SharedTexts::NotKept);
    EXPECT_EQ(shared.Text(entries[3]), longest);
    EXPECT_EQ(shared.Text(entries[4]), "abcd");
    EXPECT_EQ(OfferOne(shared, "+1 555 0199"), SharedTexts::NotKept) << "offered only once";
    EXPECT_EQ(shared.Count(), 3u);
}

// Once full, texts are still answered (kept ones by their entry, new ones as not kept).
TEST(SharedTexts, StopsKeepingAtItsBound)
{
    SharedTexts shared;
    for (std::uint32_t i = 0; i < SharedTexts::MostEntries; ++i) {
        const std::string text = "text" + std::to_string(i);
        OfferOne(shared, text);
        ASSERT_EQ(OfferOne(shared, text), i);
    }
    EXPECT_EQ(OfferOne(shared, "one more"), SharedTexts::NotKept);
    EXPECT_EQ(OfferOne(shared, "one more"), SharedTexts::NotKept);
    EXPECT_EQ(OfferOne(shared, "text12345"), 12345u);
    EXPECT_EQ(shared.Text(SharedTexts::MostEntries - 1), "text" + std::to_string(SharedTexts::MostEntries - 1));
}
