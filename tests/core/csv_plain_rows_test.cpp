// SPDX-License-Identifier: GPL-3.0-or-later
// Delimited text read without the header choice, in the shapes other programs write it: a value
// is split only at its own separator, a quote that opens no quoted value is an ordinary character,
// and a person row titles itself and its primary details whether or not it has a "Title" column.
#include "support/csv_text.h"

#include "exchange/csv_import.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
using Values = std::vector<std::string>;

const TPersonObject& OnlyPerson(const ItemTree& tree)
{
    EXPECT_EQ(tree.Root().ChildCount(), 1);
    return dynamic_cast<const TPersonObject&>(*tree.Root().ChildAt(0)->Data());
}

std::string Primary(const TPersonObject& person, TPartyObject::Slot slot)
{
    const TKPXObject* child = person.PrimaryChild(slot);
    return child ? child->GetTitle() + ": " + child->GetTarget() : "none";
}

// The columns of Thunderbird's and Outlook's exports that these rows fill, in their order.
const Values ThunderbirdFields = {"First Name", "Last Name",    "Title", "",           "E-Mail Address", "",
                                  "",           "Phone Number", "",      "Fax Number", "Comment"};
const Values OutlookFields = {"Salutation", "First Name", "Middle Name", "Last Name", "Comment", "E-Mail Address"};
} // namespace

TEST(CsvPlainRows, ATabExportSplitsOnlyAtTabsSoCommasStayInTheirValues)
{
    ItemTree tree;
    CsvImportSettings settings{KindPerson, ThunderbirdFields, true};
    const auto counts = ImportText(tree,
                                   "Kai\tMüller\tMüller, Kai\tkaimu\tkai@example.de\t\t\t+49 89 111, ext. 2\t\t"
                                   "+49 89 333\tLikes commas, and \"quotes\"\r\n",
                                   settings);
    EXPECT_EQ(counts.made, 1);
    const TPersonObject& kai = OnlyPerson(tree);
    EXPECT_EQ(kai.GetTitle(), "Müller, Kai");
    EXPECT_EQ(kai.LastName(), "Müller");
    EXPECT_EQ(kai.GetComment(), "Likes commas, and \"quotes\"");
    EXPECT_EQ(Primary(kai, TPartyObject::SlotPhone), "Primary Phone: +49 89 111, ext. 2");
    EXPECT_EQ(Primary(kai, TPartyObject::SlotFax), "Primary Fax: +49 89 333");
    EXPECT_EQ(Primary(kai, TPartyObject::SlotEMail), "Primary EMail: kai@example.de");
}

TEST(CsvPlainRows, AStrayQuoteInACommaExportMovesNoField)
{
    // Outlook quotes every field; a value may still carry an unpaired quote, and a hand-made file
    // an inch mark in an unquoted value.
    ItemTree quoted;
    EXPECT_EQ(ImportText(quoted, "\"Dr.\",\"Ann\",\"\",\"Lee\",\"Says \"hi\" often\",\"ann@example.org\"\r\n",
                         {KindPerson, OutlookFields})
                  .made,
              1);
    const TPersonObject& ann = OnlyPerson(quoted);
    EXPECT_EQ(ann.Salutation(), "Dr.");
    EXPECT_EQ(ann.LastName(), "Lee");
    EXPECT_NE(ann.GetComment().find("hi"), std::string::npos);
    EXPECT_NE(ann.GetComment().find("often"), std::string::npos);
    EXPECT_EQ(Primary(ann, TPartyObject::SlotEMail), "Primary EMail: ann@example.org");

    ItemTree plain;
    EXPECT_EQ(
        ImportText(plain, "Mr.,Bob,,Ray,Owns a 27\" screen,bob@example.org\r\n", {KindPerson, OutlookFields}).made, 1);
    const TPersonObject& bob = OnlyPerson(plain);
    EXPECT_EQ(bob.GetComment(), "Owns a 27\" screen");
    EXPECT_EQ(Primary(bob, TPartyObject::SlotEMail), "Primary EMail: bob@example.org");
}

TEST(CsvPlainRows, WhatRowsAlwaysGaveStaysTheSame)
{
    ItemTree tree;
    CsvImportSettings settings{KindPhone, {"Title", "Phone Number", "Comment", "Extension"}};
    EXPECT_EQ(ImportText(tree,
                         "  Desk  ,555 1,,12\r\n"
                         "\"Hall, front\",\"555 \"\"2\"\"\",\"a, b\",\r\n"
                         "Back,555 3\r\n",
                         settings)
                  .made,
              3);
    const TKPXObject& owner = *tree.Root().Data();
    const auto* desk = dynamic_cast<const TPhoneObject*>(owner.FindChild("  Desk  ", KindPhone));
    ASSERT_TRUE(desk);
    EXPECT_EQ(desk->Extension(), "12");
    const TKPXObject* hall = owner.FindChild("Hall, front", KindPhone);
    ASSERT_TRUE(hall);
    EXPECT_EQ(hall->GetTarget(), "555 \"2\"");
    EXPECT_EQ(hall->GetComment(), "a, b");
    EXPECT_TRUE(owner.FindChild("Back", KindPhone));
}

// Exports of other programs rarely have a "Title" column, and a short row lacks the columns at
// its end: the person is titled from its names, and every primary detail is titled by its slot.
TEST(CsvPlainRows, APersonWithoutATitleColumnIsTitledFromItsNamesWithOrWithoutTheHeaderChoice)
{
    const Values fields = {"First Name", "Last Name", "Phone Number", "E-Mail Address", "Address Line 1", "Website"};
    const std::string rows = "Ann,Lee,555 0100,ann@example.org,1 High St,https://ann.example\r\nBob,Ray\r\n";
    const CsvImportSettings headed = WithHeader(KindPerson, fields);
    for (const bool header : {false, true}) {
        SCOPED_TRACE(header ? "with the header choice" : "without it");
        ItemTree tree;
        const auto counts =
            header ? ImportText(tree, "a,b,c,d,e,f\r\n" + rows, headed) : ImportText(tree, rows, {KindPerson, fields});
        EXPECT_EQ(counts.made, 2);
        ASSERT_EQ(tree.Root().ChildCount(), 2);
        const auto& ann = dynamic_cast<const TPersonObject&>(*tree.Root().ChildAt(0)->Data());
        EXPECT_EQ(ann.GetTitle(), "Ann Lee");
        EXPECT_EQ(Primary(ann, TPartyObject::SlotPhone), "Primary Phone: 555 0100");
        EXPECT_EQ(Primary(ann, TPartyObject::SlotEMail), "Primary EMail: ann@example.org");
        EXPECT_EQ(Primary(ann, TPartyObject::SlotAddress), "Primary Address: 1 High St");
        EXPECT_EQ(Primary(ann, TPartyObject::SlotWebsite), "Primary Website: https://ann.example");
        EXPECT_EQ(ann.ChildCount(), 3);
        const auto& bob = dynamic_cast<const TPersonObject&>(*tree.Root().ChildAt(1)->Data());
        EXPECT_EQ(bob.GetTitle(), "Bob Ray");
        EXPECT_EQ(bob.ChildCount(), 0);
        EXPECT_TRUE(counts.leftOut.empty());
    }
}
