// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/detail_fields.h"

#include "model/field_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace quillary {
namespace {

// Every "~~" from the left ends a field; the remainder is the last field, even when empty.
std::vector<std::string_view> SplitAtEverySeparator(std::string_view text)
{
    std::vector<std::string_view> fields;
    for (auto pos = text.find("~~"); pos != std::string_view::npos; pos = text.find("~~")) {
        fields.push_back(text.substr(0, pos));
        text.remove_prefix(pos + 2);
    }
    fields.push_back(text);
    return fields;
}

// Runs of tildes of every length split as splitting at every separator does; past the fields told apart,
// the last one keeps the rest of the line exactly.
TEST(DetailFields, SplitAtEverySeparatorUpToTheLastWhichKeepsTheRest)
{
    std::mt19937 random(11);
    for (int round = 0; round < 5000; ++round) {
        std::string line;
        const std::size_t length = random() % 80;
        for (std::size_t i = 0; i < length; ++i)
            line.push_back(random() % 3 ? '~' : static_cast<char>('a' + random() % 3));
        DetailFields fields;
        fields.Split(line);
        const std::vector<std::string_view> expected = SplitAtEverySeparator(line);
        const std::size_t apart = std::min(expected.size(), DetailFields::Most - 1);
        ASSERT_EQ(fields.size(), std::min(expected.size(), DetailFields::Most)) << line;
        for (std::size_t i = 0; i < apart; ++i)
            ASSERT_EQ(fields[i], expected[i]) << line << " field " << i;
        if (expected.size() >= DetailFields::Most) {
            const auto rest = static_cast<std::size_t>(expected[DetailFields::Most - 1].data() - line.data());
            ASSERT_EQ(fields[DetailFields::Most - 1], std::string_view(line).substr(rest)) << line;
        }
        EXPECT_EQ(fields.At(fields.size()), "");
    }
}

// Clean() may say no to fit fields, never yes to an unfit one; it says yes to lines as they are
// nearly always written.
TEST(DetailFields, CleanVouchesOnlyForFieldsFitToStore)
{
    std::mt19937 random(12);
    const std::string_view alphabet = "ab~~~~\r\t\x1a";
    int vouched = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string line;
        const std::size_t length = random() % 60;
        for (std::size_t i = 0; i < length; ++i)
            line.push_back(alphabet[random() % (i % 7 ? 5 : alphabet.size())]);
        DetailFields fields;
        fields.Split(line);
        if (!fields.Clean())
            continue;
        ++vouched;
        for (std::size_t i = 0; i < fields.size(); ++i)
            ASSERT_TRUE(IsCleanFieldText(fields[i])) << line << " field " << i;
    }
    EXPECT_GT(vouched, 1000);

    DetailFields fields;
    fields.Split("Ms.~~Ann~~~~Lee~~Home~~~~~~~~~~0~~Acme~~Boss~~Jr.");
    EXPECT_TRUE(fields.Clean());
    fields.Split("1 Road~~~Flat~~~~Town");
    EXPECT_TRUE(fields.Clean()) << "only the last field can end in a tilde";
    fields.Split(std::string(DetailFields::Most, 'a').replace(1, 0, "~~").append("~~~~~~~~~~~~~~~~~~~~~~~~~~~~~~"));
    EXPECT_FALSE(fields.Clean()) << "the last field keeps separators";
    for (const std::string_view unfit : {"a~~b~", "a\rb~~c", "a~~\x1a", "a\tb"}) {
        fields.Split(unfit);
        EXPECT_FALSE(fields.Clean()) << unfit;
    }
}

} // namespace
} // namespace quillary
