// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/detail_fields.h"

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

} // namespace
} // namespace quillary
