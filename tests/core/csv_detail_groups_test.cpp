// SPDX-License-Identifier: GPL-3.0-or-later
// The details and dates of persons and organizations in files with field names: one detail per
// column group, titled by its label, the first of each kind primary; what cannot be taken is
// said; and the export with field names writes what its chosen columns cannot hold.
#include "support/contact_facts.h"
#include "support/csv_text.h"
#include "support/fake_services.h"

#include "exchange/csv_date.h"
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/csv_numbered_columns.h"
#include "model/create_item.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;
using namespace quillary::test;

namespace {
using Values = std::vector<std::string>;

struct Imported
{
    TestWorld world;
    ItemTree tree{world.Services()};
    ImportCounts counts;

    Imported(const std::string& text, int kind = KindPerson) : counts(ImportText(tree, text, WithHeader(kind))) {}
    std::string Facts() const { return ContactFacts(tree); }
};

std::string Exported(ItemTree& tree, const Values& fields, bool header)
{
    std::ostringstream out;
    WriteCsvRows(tree.Root(), {fields, KindPerson, header}, out);
    return out.str();
}
} // namespace

TEST(CsvNumberedColumns, NamesOfAnyNumberAndCaseNameTheirGroupsField)
{
    struct Case
    {
        std::string name;
        int kind, number;
        std::string field;
    };
    const Case known[] = {{"Phone 12 - Value", KindPhone, 12, "Phone Number"},
                          {"e-mail 1 - type", KindEMail, 1, "Label"},
                          {"Address 2 - PO Box", KindAddress, 2, "Address Line 3"},
                          {"Address 3 - Region", KindAddress, 3, "State/Province"},
                          {"Fax 1 - Label", KindFax, 1, "Label"},
                          {"Website 2 - Value", KindWebsite, 2, "Website"}};
    for (const Case& c : known) {
        SCOPED_TRACE(c.name);
        const auto column = ParseNumberedColumn(c.name);
        ASSERT_TRUE(column);
        EXPECT_EQ(column->kind, c.kind);
        EXPECT_EQ(column->number, c.number);
        EXPECT_EQ(column->field, c.field);
    }
    for (const char* other : {"Phone 0 - Value", "Phone - Value", "Phone 1 - Colour", "Phone 1-Value",
                              "Phones 1 - Value", "Organization 1 - Name", "Phone 1234567 - Value", ""})
        EXPECT_FALSE(ParseNumberedColumn(other)) << other;
    EXPECT_EQ(NumberedColumnName(KindAddress, 2, "Extended Address"), "Address 2 - Extended Address");
}

TEST(CsvDetailGroups, EachJoinedValueMakesADetailTitledByItsLabel)
{
    const Imported imported("Given Name,Family Name,Phone 1 - Type,Phone 1 - Value,Phone 2 - Type,Phone 2 - Value,"
                            "E-mail 1 - Type,E-mail 1 - Value,Website 1 - Type,Website 1 - Value\r\n"
                            "Ann,Lee,* Mobile ::: Work ::: ,555 1 ::: 555 2 ::: 555 3,Home Fax,555 4,Home,,"
                            "Blog,\r\n");
    EXPECT_EQ(imported.Facts(), "person Ann Lee\n"
                                "  name:  / Ann /  / Lee\n"
                                "  phone* Mobile: 555 1\n"
                                "  phone Work: 555 2\n"
                                "  phone Phone: 555 3\n"
                                "  fax* Home Fax: 555 4\n");
    EXPECT_TRUE(imported.counts.leftOut.empty());
}

TEST(CsvDetailGroups, KnownColumnsGatherByTitleForPersonsAndOrganizations)
{
    const std::string outlook = "Title,First Name,Last Name,Company,Business Street,Business City,Home Street,"
                                "Home City,Business Fax,Business Phone,Mobile Phone,E-mail Address,E-mail 2 Address\r\n"
                                "Ms.,Una,Ray,Ray Ltd,1 Main St,York,4 Elm St,Leeds,555 9,555 1,555 2,una@ray.example,"
                                "una@home.example\r\n";
    EXPECT_EQ(Imported(outlook).Facts(), "person Una Ray\n"
                                         "  name: Ms. / Una /  / Ray\n"
                                         "  work: Ray Ltd /  / \n"
                                         "  address* Business: 1 Main St /  /  / York /  /  / \n"
                                         "  address Home: 4 Elm St /  /  / Leeds /  /  / \n"
                                         "  phone* Business: 555 1\n"
                                         "  phone Mobile: 555 2\n"
                                         "  fax* Business Fax: 555 9\n"
                                         "  e-mail* E-mail: una@ray.example\n"
                                         "  e-mail E-mail 2: una@home.example\n");
    EXPECT_EQ(Imported(outlook, KindOrganization).Facts(), "organization Ray Ltd\n"
                                                           "  address* Business: 1 Main St /  /  / York /  /  / \n"
                                                           "  address Home: 4 Elm St /  /  / Leeds /  /  / \n"
                                                           "  phone* Business: 555 1\n"
                                                           "  phone Mobile: 555 2\n"
                                                           "  fax* Business Fax: 555 9\n"
                                                           "  e-mail* E-mail: una@ray.example\n"
                                                           "  e-mail E-mail 2: una@home.example\n");
}

// This program's own export writes the primary in its own column and again in its group.
TEST(CsvDetailGroups, AGroupRepeatingThePrimaryOfTheOwnColumnsGivesItItsTitle)
{
    const Imported imported("Title,Last Name,Phone Number,Phone 1 - Label,Phone 1 - Value,Phone 2 - Label,"
                            "Phone 2 - Value,E-Mail Address,E-mail 1 - Label,E-mail 1 - Value\r\n"
                            "Ann Lee,Lee,555 1,Mobile,555 1,Home,555 1,ann@example.org,Work,ann@work.example\r\n"
                            ",,555 5,,,,,,,\r\n");
    EXPECT_EQ(imported.Facts(), "person Ann Lee\n"
                                "  name:  /  /  / Lee\n"
                                "  phone* Mobile: 555 1\n"
                                "  phone Home: 555 1\n"
                                "  e-mail* Primary EMail: ann@example.org\n"
                                "  e-mail Work: ann@work.example\n");
    EXPECT_EQ(imported.counts.reasons, Values{"row 3: no first or last name"});
}

TEST(CsvDetailGroups, WhatADetailOrADateCannotTakeIsSaidAndTheRestKept)
{
    const Imported imported("First Name,Last Name,Birthday,Anniversary,Address 1 - Label,Address 1 - City,"
                            "Website 1 - Label,Website 1 - Value,Website 2 - Value\r\n"
                            "Ann,Lee,sometime,0/0/00,Home,Leeds,Shop,javascript:alert(1),https://ann.example\r\n");
    EXPECT_EQ(imported.counts.made, 1);
    EXPECT_EQ(imported.Facts(), "person Ann Lee\n"
                                "  name:  / Ann /  / Lee\n"
                                "  website* Website: https://ann.example\n");
    ASSERT_EQ(imported.counts.leftOut.size(), 3u);
    EXPECT_EQ(imported.counts.leftOut[0], "row 2: address \"Home\" left out: \"Address Line 1\" is empty");
    EXPECT_TRUE(imported.counts.leftOut[1].starts_with("row 2: website \"Shop\" left out: "));
    EXPECT_EQ(imported.counts.leftOut[2], "row 2: Birthday left out: \"sometime\" is no date this program reads");

    // Thunderbird's birthday without a year stays without one.
    const Imported parts("First Name,Primary Email,Birth Year,Birth Month,Birth Day\r\nAnn,ann@example.org,,2,29\r\n"
                         "Bob,bob@example.org,,7,4\r\n");
    EXPECT_EQ(parts.Facts(), "person Ann \n"
                             "  name:  / Ann /  / \n"
                             "  e-mail* E-mail: ann@example.org\n"
                             "  reminder Birthday: --02-29, yearly\n"
                             "person Bob \n"
                             "  name:  / Bob /  / \n"
                             "  e-mail* E-mail: bob@example.org\n"
                             "  reminder Birthday: --07-04, yearly\n");
}

TEST(CsvDates, ExportsWriteDatesInTheirOwnWays)
{
    struct Case
    {
        std::string text;
        std::optional<CivilDate> date;
    };
    const Case cases[] = {{"1985-04-12", CivilDate{1985, 4, 12}},
                          {"--04-12", CivilDate{2026, 4, 12}},
                          {"4/12/1985", CivilDate{1985, 4, 12}},
                          {"13/4/1985", CivilDate{1985, 4, 13}},
                          {"12.4.1985", CivilDate{1985, 4, 12}},
                          {" 19850412 ", CivilDate{1985, 4, 12}},
                          {"4/12/85", std::nullopt},
                          {"2/30/1985", std::nullopt},
                          {"4/12/1985/1", std::nullopt},
                          {"12.4.", std::nullopt},
                          {"April 12", std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseCsvDate(c.text, 2026), c.date) << c.text;
    for (const char* none : {"", "  ", "0/0/00", "00.00.0000"})
        EXPECT_TRUE(IsNoCsvDate(none)) << none;
    EXPECT_FALSE(IsNoCsvDate("0/0/01"));
}

TEST(CsvDetailGroups, AnExportWithFieldNamesWritesWhatItsChosenColumnsCannotHold)
{
    TestWorld world;
    ItemTree tree(world.Services());
    auto& ann = static_cast<TPersonObject&>(*CreateItem(KindPerson, "Ann Lee", "", "", tree.Root(), "", 0));
    ann.SetNames("", "Ann", "", "Lee");
    CreateItem(KindPhone, "Home", "555 1", "", *ann.GetTreeNode(), "", 0);
    CreateItem(KindPhone, "Mobile", "555 2", "", *ann.GetTreeNode(), "", 0);
    ann.SetPrimary(TPartyObject::SlotPhone, "Mobile");
    auto& bob = static_cast<TPersonObject&>(*CreateItem(KindPerson, "Bob Ray", "", "", tree.Root(), "", 0));
    CreateItem(KindPhone, "Primary Phone", "555 3", "", *bob.GetTreeNode(), "", 0);
    bob.SetPrimary(TPartyObject::SlotPhone, "Primary Phone");
    const Values fields = {"Title", "Phone Number"};
    EXPECT_EQ(Exported(tree, fields, true), "Title,\"Phone Number\",\"Phone 1 - Label\",\"Phone 1 - Value\","
                                            "\"Phone 2 - Label\",\"Phone 2 - Value\"\r\n"
                                            "\"Ann Lee\",\"555 2\",\"Mobile\",\"555 2\",\"Home\",\"555 1\"\r\n"
                                            "\"Bob Ray\",\"555 3\",\"Primary Phone\",\"555 3\",,\r\n");
    // Without field names the rows hold the chosen fields only.
    EXPECT_EQ(Exported(tree, fields, false), "\"Ann Lee\",\"555 2\"\r\n\"Bob Ray\",\"555 3\"\r\n");

    // Only a date column when a person has the date; the columns of a kind not chosen stay out.
    std::string details(TypeTag(KindReminder));
    CreateItem(KindReminder, "Birthday", "", "", *bob.GetTreeNode(), details + "1990,2,3,2~~0", 0);
    EXPECT_EQ(Exported(tree, {"Title"}, true), "Title,Birthday\r\n\"Ann Lee\",\r\n\"Bob Ray\",\"1990-02-03\"\r\n");
}
