// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using quillary::CompareTitles;
using quillary::TitleKey;

// Sorting trusts a difference of keys without reading the titles, so it must never disagree
// with the full comparison: case, bytes above 127, titles ending at or inside eight bytes, and
// zero bytes that make a shorter title's key tie with a longer one's.
TEST(TreeOrder, TitlesWhoseKeysDifferCompareAsTheirKeys)
{
    const std::vector<std::string> titles{"", "a", "A", "ab", "aB", "b", "Z", "z~", "[", "_", "abcdefg",
                                          "abcdefgh", "ABCDEFGH", "abcdefghi", "abcdefgz", "Ärger", "Zoë",
                                          std::string("abc\0", 4), std::string("abc\0d", 5), "abc",
                                          std::string("\xff\xfe", 2), "Nguyen, Oliver", "Nguyen, Olivia"};
    int tied = 0;
    for (const std::string& a : titles) {
        for (const std::string& b : titles) {
            const int full = CompareTitles(a, b);
            if (TitleKey(a) == TitleKey(b)) {
                ++tied;
                continue;
            }
            EXPECT_EQ(TitleKey(a) < TitleKey(b), full < 0) << '"' << a << "\" against \"" << b << '"';
            EXPECT_NE(full, 0) << '"' << a << "\" against \"" << b << '"';
        }
    }
    EXPECT_GT(tied, static_cast<int>(titles.size())); // the ties beyond a title with itself were met
}
