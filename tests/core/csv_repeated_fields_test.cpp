// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_repeated_fields.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {
using Values = std::vector<std::string>;

Values Merged(const CsvRepeatedFields& repeated, Values row)
{
    repeated.Merge(row);
    return row;
}
} // namespace

TEST(CsvRepeatedFields, TheFirstNonEmptyValueGoesToTheFirstColumn)
{
    // Names are compared without case; nameless columns are no field.
    const CsvRepeatedFields repeated({"Phone Number", "", "phone number", "", "Title", "PHONE NUMBER"});
    EXPECT_EQ(Merged(repeated, {"", "a", "", "b", "x", "555"}), (Values{"555", "a", "", "b", "x", "555"}));
    EXPECT_EQ(Merged(repeated, {"1", "", "2", "", "x", "3"}), (Values{"1", "", "2", "", "x", "3"}));
    EXPECT_EQ(Merged(repeated, {"", "a", "", "", "", ""}), (Values{"", "a", "", "", "", ""}));
    // A short row has no value for the columns it leaves out.
    EXPECT_EQ(Merged(repeated, {"", "a", "2"}), (Values{"2", "a", "2"}));
    EXPECT_EQ(Merged(repeated, {}), Values{});
}

TEST(CsvRepeatedFields, AnAddressComesWholeFromTheFirstAddressWithAnyPart)
{
    // The n-th column of each part belongs to the n-th address, even where the file interleaves them.
    const CsvRepeatedFields repeated(
        {"Address Line 1", "Address Line 1", "City", "Address Line 2", "City", "Postal Code", "Comment"});
    // The first address has only a postal code: it is still the one taken.
    EXPECT_EQ(Merged(repeated, {"", "Elm St", "", "", "Leeds", "Y1", "c"}),
              (Values{"", "Elm St", "", "", "Leeds", "Y1", "c"}));
    // An empty first address gives way to the second; parts the second lacks stay empty.
    EXPECT_EQ(Merged(repeated, {"", "Elm St", "", "", "Leeds", "", "c"}),
              (Values{"Elm St", "Elm St", "Leeds", "", "Leeds", "", "c"}));
    EXPECT_EQ(Merged(repeated, {"Main St", "Elm St", "York", "Rear", "Leeds", "", ""}),
              (Values{"Main St", "Elm St", "York", "Rear", "Leeds", "", ""}));
    // A row that ends inside the second address takes what it has of it.
    EXPECT_EQ(Merged(repeated, {"", "Elm St", ""}), (Values{"Elm St", "Elm St", ""}));
}
