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
    // Two addresses: the second starts where "Address Line 1" comes again. Only the second has a
    // second line, and items read it from that column.
    const CsvRepeatedFields repeated(
        {"Address Line 1", "City", "Comment", "Postal Code", "Address Line 1", "Address Line 2", "City"});
    // The first address has only a postal code: it is still the one taken, and nothing of the second.
    EXPECT_EQ(Merged(repeated, {"", "", "c", "Y1", "Elm St", "Flat 2", "Leeds"}),
              (Values{"", "", "c", "Y1", "Elm St", "", "Leeds"}));
    EXPECT_EQ(Merged(repeated, {"Main St", "York", "", "", "Elm St", "Flat 2", "Leeds"}),
              (Values{"Main St", "York", "", "", "Elm St", "", "Leeds"}));
    // An empty first address gives way to the second.
    EXPECT_EQ(Merged(repeated, {"", "", "c", "", "Elm St", "Flat 2", "Leeds"}),
              (Values{"Elm St", "Leeds", "c", "", "Elm St", "Flat 2", "Leeds"}));
    // A row that ends inside the second address takes what it has of it.
    EXPECT_EQ(Merged(repeated, {"", "", "c", "", "Elm St"}), (Values{"Elm St", "", "c", "", "Elm St"}));
    EXPECT_EQ(Merged(repeated, {"", "", "c"}), (Values{"", "", "c"}));
}
