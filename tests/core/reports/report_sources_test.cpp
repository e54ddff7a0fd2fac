// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "reports/report_sources.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {

using Lines = std::vector<std::string>;

TreeNode& AddNode(TreeNode& parent, int kind, const std::string& title, const std::string& target = "")
{
    return *CreateItem(kind, title, target, "", parent, "", 0)->GetTreeNode();
}

TPersonObject& AddPerson(TreeNode& parent, const std::string& first, const std::string& middle, const std::string& last)
{
    auto& person = static_cast<TPersonObject&>(*AddNode(parent, KindPerson, first + " " + last).Data());
    person.SetNames("", first, middle, last);
    person.SetTarget(first + " " + last);
    return person;
}

TAddressObject& AddAddress(TKPXObject& owner, const std::string& title, const Lines& lines, const std::string& city,
                           const std::string& postCode)
{
    auto& address = static_cast<TAddressObject&>(*CreateItem(KindAddress, title, "", "", *owner.GetTreeNode(), "", 0));
    address.SetLines(lines);
    address.SetCity(city);
    address.SetState("NY");
    address.SetPostCode(postCode);
    address.SetCountry("USA");
    return address;
}

void AddPrimaryAddress(TPartyObject& party, const Lines& lines, const std::string& city)
{
    AddAddress(party, "Home", lines, city, "10001");
    party.SetPrimary(TPartyObject::SlotAddress, "Home");
}

void AddPrimaryPhone(TPartyObject& party, const std::string& number)
{
    CreateItem(KindPhone, "Work", number, "", *party.GetTreeNode(), "", 0);
    party.SetPrimary(TPartyObject::SlotPhone, "Work");
}

Lines Keys(const std::vector<ReportEntry>& entries)
{
    Lines keys;
    for (const ReportEntry& entry : entries)
        keys.push_back(entry.key);
    return keys;
}

std::vector<BookRecord> AllRecords(BookSource source)
{
    std::vector<BookRecord> records;
    for (BookRecord record; source.Next(record);)
        records.push_back(record);
    return records;
}

} // namespace

TEST(ReportRange, CoversTheNodeAndItsSubtreeOnly)
{
    ItemTree tree;
    TreeNode& friends = AddNode(tree.Root(), KindFolder, "Friends");
    AddNode(friends, KindPerson, "Ann");
    TreeNode& work = AddNode(tree.Root(), KindFolder, "Work");
    TreeNode& team = AddNode(work, KindTeam, "Team");
    AddNode(team, KindPerson, "Bob");

    const NodeRange whole = RangeOf(tree.Root());
    EXPECT_EQ(whole.first, 0);
    EXPECT_EQ(whole.last, tree.NodeCount() - 1);
    const NodeRange fromFriends = RangeOf(friends);
    EXPECT_EQ(fromFriends.first, friends.AbsoluteIndex());
    EXPECT_EQ(fromFriends.last, friends.AbsoluteIndex() + 1);
    // The last child of its parent: only its own subtree, not what follows the parent.
    const NodeRange fromWork = RangeOf(work);
    EXPECT_EQ(fromWork.first, work.AbsoluteIndex());
    EXPECT_EQ(fromWork.last, tree.NodeCount() - 1);
    const NodeRange leaf = RangeOf(*team.FirstChild());
    EXPECT_EQ(leaf.first, leaf.last);
}

TEST(ReportAddressBlock, LeavesOutEmptyLinesAndKeepsTheCityLineByRule)
{
    ItemTree tree;
    TKPXObject& folder = *AddNode(tree.Root(), KindFolder, "Places").Data();
    const TAddressObject& full = AddAddress(folder, "Office", {"1 Main St", "", "Suite 5"}, "Springfield", "10001");
    EXPECT_EQ(AddressBlock(full, CityLine::WhenCityGiven),
              (Lines{"1 Main St", "Suite 5", "Springfield, NY", "10001 USA"}));

    const TAddressObject& noCity = AddAddress(folder, "Box", {"PO Box 9"}, "", "10002");
    EXPECT_EQ(AddressBlock(noCity, CityLine::WhenCityGiven), (Lines{"PO Box 9", "10002 USA"}));
    EXPECT_EQ(AddressBlock(noCity, CityLine::Always), (Lines{"PO Box 9", ", NY", "10002 USA"}));
}

TEST(ReportListing, ListsShownPartiesBelowTheChosenNode)
{
    ItemTree tree;
    TreeNode& folder = AddNode(tree.Root(), KindFolder, "Clients");
    TPersonObject& jane = AddPerson(folder, "Jane", "", "Doe");
    AddPrimaryAddress(jane, {"1 \"Main\" St, Apt 2"}, "Springfield");
    AddPrimaryPhone(jane, "555-0100");
    AddNode(folder, KindWebsite, "Site", "http://example.org");
    TreeNode& hidden = AddNode(folder, KindOrganization, "Hidden Co");
    TreeNode& acme = AddNode(folder, KindOrganization, "Acme");
    acme.Data()->SetCategories(1);
    jane.SetCategories(1);
    hidden.Data()->SetCategories(2);
    tree.Filter().mode = CategoryFilter::Mode::Any;
    tree.Filter().mask = CategoryBit(1);

    ListingSource source(tree, RangeOf(folder));
    ListingRecord record;
    ASSERT_TRUE(source.Next(record));
    EXPECT_EQ(record.name, "Jane Doe");
    EXPECT_EQ(record.address, (Lines{"Jane Doe", "1 \"Main\" St, Apt 2", "Springfield, NY", "10001 USA"}));
    EXPECT_EQ(record.phone, "555-0100");
    EXPECT_EQ(record.fax, "");
    ASSERT_TRUE(source.Next(record));
    EXPECT_EQ(record.name, "Acme");
    EXPECT_EQ(record.address, (Lines{"Acme", ", ", " "}));
    EXPECT_FALSE(source.Next(record));
    EXPECT_EQ(record.name, "");
    EXPECT_FALSE(source.Next(record));

    // Printed from the person's own node, the person itself is not listed.
    ListingSource own(tree, RangeOf(*jane.GetTreeNode()));
    EXPECT_FALSE(own.Next(record));
}

TEST(ReportBook, KeysSortIgnoringCaseAndHeadingsCompareExactly)
{
    ItemTree tree;
    AddPerson(tree.Root(), "Jane", "", "Doe");
    AddPerson(tree.Root(), "John", "Q", "Doe");
    AddNode(tree.Root(), KindOrganization, "apple");
    AddNode(tree.Root(), KindOrganization, "Acme");
    AddNode(tree.Root(), KindOrganization, "Dover");

    const std::vector<ReportEntry> entries = BookEntries(tree, RangeOf(tree.Root()));
    EXPECT_EQ(Keys(entries), (Lines{"Acme", "apple", "Doe, Jane ", "Doe, John Q", "Dover"}));

    Lines headings;
    for (const BookRecord& record : AllRecords(BookSource(entries)))
        if (record.newLetter)
            headings.push_back(record.letter);
    EXPECT_EQ(headings, (Lines{"A", "a", "D"}));
}

TEST(ReportBook, SortIsStableAndHeadingsKeepWholeCharacters)
{
    ItemTree tree;
    AddNode(tree.Root(), KindOrganization, "Beta");
    AddNode(tree.Root(), KindOrganization, "BETA");
    const std::string ecole = std::string("\xC3\x89") + "cole";
    AddNode(tree.Root(), KindOrganization, ecole);
    const std::vector<ReportEntry> entries = BookEntries(tree, RangeOf(tree.Root()));
    EXPECT_EQ(Keys(entries), (Lines{"Beta", "BETA", ecole}));
    EXPECT_EQ(AllRecords(BookSource(entries)).back().letter, "\xC3\x89");
}

TEST(ReportBook, DetailsOfOtherNodesAndPartyPhonesAndMemos)
{
    ItemTree tree;
    TreeNode& folder = AddNode(tree.Root(), KindFolder, "Misc");
    CreateItem(KindPhone, "Pizza", "555-0199", "", folder, "", 0);
    AddAddress(*folder.Data(), "Depot", {"9 Dock Rd"}, "", "10003");
    CreateItem(KindEMail, "info@example.org", "info@example.org", "", folder, "", 0);
    TPersonObject& jane = AddPerson(folder, "Jane", "", "Doe");
    AddPrimaryPhone(jane, "555-0100");
    TPersonObject& bob = AddPerson(folder, "Bob", "", "Roe");
    AddPrimaryAddress(bob, {"2 Elm St"}, "Albany");

    const std::vector<BookRecord> records = AllRecords(BookSource(BookEntries(tree, RangeOf(folder))));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].name, "Depot");
    EXPECT_EQ(records[0].phone, "");
    EXPECT_EQ(records[0].memo, (Lines{"9 Dock Rd", "10003 USA"}));
    EXPECT_EQ(records[1].name, "Doe, Jane ");
    EXPECT_EQ(records[1].phone, "555-0100");
    EXPECT_TRUE(records[1].memo.empty());
    EXPECT_EQ(records[2].name, "Pizza");
    EXPECT_EQ(records[2].phone, "555-0199");
    EXPECT_TRUE(records[2].memo.empty());
    EXPECT_EQ(records[3].name, "Roe, Bob ");
    EXPECT_EQ(records[3].memo, (Lines{"2 Elm St", "Albany, NY", "10001 USA"}));
}

TEST(ReportLabels, PartiesAndAddressDetailsInTreeOrder)
{
    ItemTree tree;
    TreeNode& folder = AddNode(tree.Root(), KindFolder, "Mail");
    AddAddress(*folder.Data(), "Depot", {"9 Dock Rd"}, "Troy", "10003");
    TPersonObject& zed = AddPerson(folder, "Zed", "", "Zorn");
    zed.SetTitle("Zed (work)");
    AddNode(folder, KindOrganization, "Acme");
    AddNode(folder, KindPhone, "Ignored", "555");

    const std::vector<ReportEntry> entries = LabelEntries(tree, RangeOf(folder));
    EXPECT_EQ(Keys(entries), (Lines{"Depot", "Zed Zorn", "Acme"}));
    EXPECT_EQ(LabelLines(entries[0]), (Lines{"Depot", "9 Dock Rd", "Troy, NY", "10003 USA"}));
    // Without any address a label holds the name and one blank line.
    EXPECT_EQ(LabelLines(entries[1]), (Lines{"Zed Zorn", " "}));
}

TEST(ReportSimpleList, ItemsThenTheirDetailsLeavingOutFilteredOnes)
{
    ItemTree tree;
    TreeNode& folder = AddNode(tree.Root(), KindFolder, "Work");
    TPersonObject& ann = AddPerson(folder, "Ann", "", "Lee");
    CreateItem(KindPhone, "Mobile", "555", "", *ann.GetTreeNode(), "", 0)->SetCategories(1);
    CreateItem(KindEMail, "Mail", "ann@example.org", "", *ann.GetTreeNode(), "", 0);
    folder.Data()->SetCategories(1);
    tree.Filter().mode = CategoryFilter::Mode::Any;
    tree.Filter().mask = CategoryBit(1);
    EXPECT_EQ(Keys(SimpleEntries(tree, RangeOf(folder))), (Lines{"Work", "Mobile"}));
}

TEST(ReportDelivery, NameThenTheFullAddress)
{
    ItemTree tree;
    TKPXObject& folder = *AddNode(tree.Root(), KindFolder, "Places").Data();
    const TAddressObject& address = AddAddress(folder, "Office", {"", "1 Main St"}, "", "10001");
    EXPECT_EQ(DeliveryLines("Jane Doe", &address), (Lines{"Jane Doe", "1 Main St", ", NY", "10001 USA"}));
    EXPECT_TRUE(DeliveryLines("Jane Doe", nullptr).empty());
}
