// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/name_split.h"

#include <gtest/gtest.h>

namespace quillary {
namespace {

TEST(SplitPersonTitle, ThreeWordsFillFirstMiddleAndLast)
{
    const NameSplit split = SplitPersonTitle("John Q Public");
    EXPECT_EQ(split.first, "John");
    EXPECT_EQ(split.middle, "Q");
    EXPECT_EQ(split.last, "Public");
}

TEST(SplitPersonTitle, TwoWordsLeaveTheMiddleAlone)
{
    const NameSplit split = SplitPersonTitle("Jane Doe");
    EXPECT_EQ(split.first, "Jane");
    EXPECT_FALSE(split.middle.has_value());
    EXPECT_EQ(split.last, "Doe");
}

TEST(SplitPersonTitle, FewerThanTwoWordsFillNothing)
{
    for (const char* title : {"", "   ", "Cher", " \"Mary Ann\" "}) {
        const NameSplit split = SplitPersonTitle(title);
        EXPECT_FALSE(split.first || split.middle || split.last) << title;
    }
}

TEST(SplitPersonTitle, FurtherWordsAreIgnored)
{
    const NameSplit split = SplitPersonTitle("John Ronald Reuel Tolkien");
    EXPECT_EQ(split.middle, "Ronald");
    EXPECT_EQ(split.last, "Reuel");
}

TEST(SplitPersonTitle, QuotesGroupAndCommasSeparate)
{
    NameSplit split = SplitPersonTitle("\"Mary Ann\" \"van Dyke\"");
    EXPECT_EQ(split.first, "Mary Ann");
    EXPECT_EQ(split.last, "van Dyke");
    EXPECT_FALSE(split.middle);

    split = SplitPersonTitle("Doe,Jane");
    EXPECT_EQ(split.first, "Doe");
    EXPECT_EQ(split.last, "Jane");

    split = SplitPersonTitle("John,,Public"); // two commas hold an empty middle word
    EXPECT_EQ(split.middle, "");
    EXPECT_EQ(split.last, "Public");
}

} // namespace
} // namespace quillary
