// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/comma_text.h"

#include <gtest/gtest.h>

#include <random>

namespace quillary {
namespace {

using Words = std::vector<std::string>;

TEST(CommaText, Split)
{
    const std::pair<std::string, Words> cases[] = {
        {"", {}},
        {" \t\r\n", {}},
        {"1997,12,5,3", {"1997", "12", "5", "3"}},
        {" a , b ", {"a", "b"}},
        {"a b\tc", {"a", "b", "c"}},
        {"a,,b", {"a", "", "b"}},
        {"a, ,b", {"a", "", "b"}},
        {",a", {"", "a"}},
        {"a,", {"a"}},
        {"\"a b\",c", {"a b", "c"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\",a", {"", "a"}},
        {"\"a\"b", {"a", "b"}},
        {"\"a,b", {"a,b"}},
        {"x\"y", {"x\"y"}},
        {std::string("a,b\0,c", 6), {"a", "b"}},
        {std::string("\"a\0b\"", 5), {"a"}},
        {"caf\xc3\xa9,\xff", {"caf\xc3\xa9", "\xff"}},
    };
    for (const auto& [text, words] : cases)
        EXPECT_EQ(SplitCommaText(text), words) << '[' << text << ']';
}

TEST(CommaText, Join)
{
    EXPECT_EQ(JoinCommaText({}), "");
    EXPECT_EQ(JoinCommaText({"1997", "12", "", "caf\xc3\xa9"}), "1997,12,,caf\xc3\xa9");
    EXPECT_EQ(JoinCommaText({"a b", "a,b", "\x01", "say \"hi\""}), "\"a b\",\"a,b\",\"\x01\",\"say \"\"hi\"\"\"");
    // Trailing empty words cannot be told from a trailing comma.
    EXPECT_EQ(SplitCommaText(JoinCommaText({"a", ""})), Words{"a"});
    EXPECT_EQ(SplitCommaText(JoinCommaText({"", ""})), Words{""});
}

// Joining random words and splitting the text again gives the words back, whatever bytes they hold (NUL apart).
TEST(CommaText, RandomWordsRoundTrip)
{
    std::mt19937 random(20240607);
    const std::string special = " \t\r\n\x01\x1f\",!\x7f\x80\xff"; // bytes the format treats specially, and neighbours
    std::uniform_int_distribution<int> count(0, 6), length(0, 8), byte(1, 255);
    std::uniform_int_distribution<std::size_t> pick(0, special.size() - 1);
    std::bernoulli_distribution useSpecial(0.4);

    for (int round = 0; round < 5000; ++round) {
        Words words(static_cast<std::size_t>(count(random)));
        for (std::string& word : words)
            for (int i = length(random); i > 0; --i)
                word.push_back(useSpecial(random) ? special[pick(random)] : static_cast<char>(byte(random)));
        if (!words.empty() && words.back().empty())
            words.back().push_back('z'); // empty: becomes "z"
        const std::string text = JoinCommaText(words);
        ASSERT_EQ(SplitCommaText(text), words) << '[' << text << ']';
    }
}

} // namespace
} // namespace quillary
