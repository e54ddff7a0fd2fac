// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quillary::CompareTitles;

namespace {
std::string Folded(std::string_view title)
{
    std::string folded;
    quillary::AppendFoldedTitle(folded, title);
    return folded;
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}
} // namespace

// Sorting compares the folded copies byte by byte instead of the titles, so the two must never
// disagree: case, bytes above 127 (which compare as unsigned), a title that is the start of
// another, zero bytes inside a title.
TEST(TreeOrder, FoldedTitlesCompareAsTheTitlesDo)
{
    const std::vector<std::string> titles{"", "a", "A", "ab", "aB", "b", "Z", "z~", "[", "_", "abcdefg",
                                          "abcdefgh", "ABCDEFGH", "abcdefghi", "Ärger", "Zoë", "abc",
                                          std::string("abc\0", 4), std::string("abc\0d", 5),
                                          std::string("\xff\xfe", 2), "Nguyen, Oliver", "nguyen, olivia"};
    for (const std::string& a : titles)
        for (const std::string& b : titles)
            EXPECT_EQ(Sign(std::string_view(Folded(a)).compare(Folded(b))), Sign(CompareTitles(a, b)))
                << '"' << a << "\" against \"" << b << '"';
}
