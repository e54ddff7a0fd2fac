// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/path_text.h"

#include <gtest/gtest.h>

using namespace quillary;

TEST(PathText, FolderNamesFromEitherSeparator)
{
    EXPECT_EQ(GetFolderName("C:\\Favorites\\"), "Favorites");
    EXPECT_EQ(GetFolderName("C:\\Favorites\\News\\Daily.url"), "News");
    EXPECT_EQ(GetFolderName("C:\\"), "C:");
    EXPECT_EQ(GetFolderName("/home/a/Favorites/"), "Favorites");
    EXPECT_EQ(GetFolderName("/home/a/Favorites/News/Daily.url"), "News");
    EXPECT_EQ(GetFolderName("/home/a\\Mixed/Daily.url"), "Mixed");
    EXPECT_EQ(GetFolderName("/home/a/News//Daily.url"), "News");
}

TEST(PathText, FolderNamesAtTheRootAndWithoutAFolder)
{
    EXPECT_EQ(GetFolderName("/"), "/");
    EXPECT_EQ(GetFolderName("/Daily.url"), "/");
    EXPECT_EQ(GetFolderName("//"), "/");
    EXPECT_EQ(GetFolderName("Daily.url"), "");
    EXPECT_EQ(GetFolderName(""), "");
    EXPECT_EQ(GetFolderName("News/Daily.url"), "News");
}
