// SPDX-License-Identifier: GPL-3.0-or-later
// Categories travel both ways in both of the forms address books keep groups in: CATEGORIES on
// each card, and group cards that list their members by UID.
#include "support/sync_harness.h"

#include "sync/card_categories.h"
#include "sync/group_cards.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
std::string Href(const std::string& name)
{
    return std::string(FakeAddressBook::Path) + name + ".vcf";
}

// The names of the categories the item carries, by the harness's slots.
std::string CategoriesOf(SyncHarness& harness, const std::string& title)
{
    ItemTree tree;
    std::istringstream in(harness.data);
    LoadDataStream(in, tree.Root());
    const TPartyObject* party = FindParty(tree, title);
    if (!party)
        return "(none)";
    std::string names;
    for (const std::string& name : CategoryNamesOf(party->GetCategories(), harness.categories))
        names += (names.empty() ? "" : ",") + name;
    return names;
}

void SetCategories(SyncHarness& harness, const std::string& title, const std::vector<std::string>& names)
{
    const std::int32_t bits = CategoryBitsOf(names, harness.categories);
    harness.Edit([&](ItemTree& tree, TreeNode&) { FindParty(tree, title)->SetCategories(bits); });
}

std::string CardCategories(const SyncHarness& harness, const std::string& name)
{
    std::string names;
    for (const std::string& each : CardCategoryNames(ParseCardLines(harness.ServerCard(name))))
        names += (names.empty() ? "" : ",") + each;
    return names;
}

std::vector<std::string> Members(const SyncHarness& harness, const std::string& href)
{
    return GroupMembers(ParseCardLines(harness.server.Cards().at(href).card));
}

using Members_ = std::vector<std::string>;
} // namespace

TEST(SyncCategories, CardsCategoriesMeetTheSlotsByNameAndGoBackInTheCardsOwnLine)
{
    SyncHarness harness;
    harness.categories[2] = "Work";
    harness.server.Write(Href("ann"), OtherCard("ann", "Ann", "Lee", {"CATEGORIES:friends,Work"}));
    const SyncReport first = harness.Run();
    EXPECT_EQ(first.newCategories, std::vector<std::string>{"friends"});
    EXPECT_EQ(harness.categories[0], "friends"); // the first free slot, named as the card spells it
    EXPECT_EQ(CategoriesOf(harness, "Ann Lee"), "friends,Work");
    EXPECT_EQ(harness.Run().serverChanged, 0) << "a card that says what the item says is not sent";

    SetCategories(harness, "Ann Lee", {"Work", "User Defined 4"});
    EXPECT_EQ(harness.Run().serverChanged, 1);
    EXPECT_EQ(CardCategories(harness, "Ann Lee"), "Work,User Defined 4");
    EXPECT_EQ(harness.Run().serverChanged, 0);

    // Another client's spelling of a name here is the same category; its new one takes a slot.
    harness.server.Write(Href("ann"), OtherCard("ann", "Ann", "Lee", {"CATEGORIES:WORK,Family"}));
    const SyncReport changed = harness.Run();
    EXPECT_EQ(changed.hereChanged, 1);
    EXPECT_EQ(CategoriesOf(harness, "Ann Lee"), "Family,Work");
    EXPECT_EQ(harness.Run().serverChanged + harness.Run().hereChanged, 0);
}

TEST(SyncCategories, ANameWithoutAFreeSlotIsReportedAndStaysOnTheServer)
{
    SyncHarness harness;
    for (std::size_t slot = 0; slot < harness.categories.size(); ++slot)
        harness.categories[slot] = "Kept " + std::to_string(slot + 1);
    harness.server.Write(Href("bo"), OtherCard("bo", "Bo", "Dee", {"CATEGORIES:Kept 3,Stranger"}));
    const SyncReport first = harness.Run();
    EXPECT_EQ(first.noSlot, std::vector<std::string>{"Stranger"});
    EXPECT_NE(first.SummaryLine().find("no free category for: Stranger"), std::string::npos) << first.SummaryLine();
    EXPECT_EQ(CategoriesOf(harness, "Bo Dee"), "Kept 3");
    EXPECT_EQ(harness.Run().serverChanged, 0);

    SetCategories(harness, "Bo Dee", {"Kept 5"});
    EXPECT_EQ(harness.Run().serverChanged, 1);
    EXPECT_EQ(CardCategories(harness, "Bo Dee"), "Stranger,Kept 5");
}

TEST(SyncCategories, ASlotAnItemCarriesIsNotFreeEvenUnderItsFirstName)
{
    CategoryNames slots;
    for (std::size_t slot = 0; slot < slots.size(); ++slot)
        slots[slot] = "User Defined " + std::to_string(slot + 1);
    slots[1] = "Kept";
    const std::vector<std::string> unplaced = PlaceCategoryNames({"a", "b", "kept", "c"}, 0b1, slots);
    EXPECT_TRUE(unplaced.empty());
    EXPECT_EQ(slots[0], "User Defined 1");
    EXPECT_EQ(slots[1], "Kept");
    EXPECT_EQ(slots[2], "a");
    EXPECT_EQ(slots[3], "b");
    EXPECT_EQ(slots[4], "c");

    CategoryNames current = slots;
    CategoryNames placed = slots;
    current[2] = "Renamed meanwhile";
    current[5] = "User Defined 6";
    placed[5] = "d";
    EXPECT_TRUE(TakePlacedCategoryNames(current, placed));
    EXPECT_EQ(current[2], "Renamed meanwhile");
    EXPECT_EQ(current[5], "d");
}

// Apple's 3.0 form and the 4.0 form of group cards.
struct GroupCardForm
{
    const char* name = "";
    std::string version;
    std::string kind;
    std::string member;
};

class SyncGroupCards : public testing::TestWithParam<GroupCardForm>
{
protected:
    std::string GroupCard(const std::vector<std::string>& uids) const
    {
        std::vector<std::string> lines{"UID:team-uid", "FN:Team", "N:Team;;;;", GetParam().kind};
        for (const std::string& uid : uids)
            lines.push_back(GetParam().member + ":urn:uuid:" + uid);
        std::string card = "BEGIN:VCARD\r\nVERSION:" + GetParam().version + "\r\n";
        for (const std::string& line : lines)
            card += line + "\r\n";
        return card + "END:VCARD\r\n";
    }
};

TEST_P(SyncGroupCards, GroupsBecomeCategoriesAndTheirMemberListsFollowTheItems)
{
    SyncHarness harness;
    const std::string group = Href("team");
    for (const char* uid : {"ann", "bo", "cy"})
        harness.server.Write(Href(uid), OtherCard(uid, uid, "Doe"));
    harness.server.Write(group, GroupCard({"ann", "bo"}));

    const SyncReport first = harness.Run();
    EXPECT_EQ(first.hereNew, 3) << "a group card is never a contact";
    EXPECT_EQ(CategoriesOf(harness, "ann Doe"), "Team");
    EXPECT_EQ(CategoriesOf(harness, "bo Doe"), "Team");
    EXPECT_EQ(CategoriesOf(harness, "cy Doe"), "");
    // The members' own cards learn the category; then nothing is left to do.
    EXPECT_EQ(harness.Run().serverChanged, 2);
    EXPECT_EQ(CardCategories(harness, "ann Doe"), "Team");
    EXPECT_EQ(harness.Run().serverChanged, 0);
    EXPECT_EQ(Members(harness, group), (Members_{"ann", "bo"}));

    // Here: cy joins, ann leaves; the group card lists them so, in its own member lines.
    SetCategories(harness, "cy Doe", {"Team"});
    SetCategories(harness, "ann Doe", {});
    harness.Run();
    EXPECT_EQ(Members(harness, group), (Members_{"bo", "cy"}));
    EXPECT_NE(harness.server.Cards().at(group).card.find(GetParam().member + ":urn:uuid:cy"), std::string::npos);
    EXPECT_EQ(harness.Run().serverChanged, 0);

    // There: another client takes bo out of the group.
    harness.server.Write(group, GroupCard({"cy"}));
    harness.Run();
    EXPECT_EQ(CategoriesOf(harness, "bo Doe"), "");
    EXPECT_EQ(CategoriesOf(harness, "cy Doe"), "Team");
    harness.Run();
    EXPECT_EQ(CardCategories(harness, "bo Doe"), "");

    // The last member leaves: the group stays, empty.
    SetCategories(harness, "cy Doe", {});
    harness.Run();
    ASSERT_EQ(harness.server.Cards().count(group), 1U);
    EXPECT_TRUE(Members(harness, group).empty());
    EXPECT_EQ(harness.Run().serverChanged, 0);

    // Deleted there, the group takes its category from those it listed.
    SetCategories(harness, "ann Doe", {"Team"});
    harness.Run();
    EXPECT_EQ(Members(harness, group), Members_{"ann"});
    harness.server.Remove(group);
    harness.Run();
    EXPECT_EQ(CategoriesOf(harness, "ann Doe"), "");
    EXPECT_EQ(harness.server.Cards().count(group), 0U) << "a group is never made here";
}

INSTANTIATE_TEST_SUITE_P(BothForms, SyncGroupCards,
                         testing::Values(GroupCardForm{"Apple", "3.0", "X-ADDRESSBOOKSERVER-KIND:group",
                                                   "X-ADDRESSBOOKSERVER-MEMBER"},
                                         GroupCardForm{"Kind", "4.0", "KIND:group", "MEMBER"}),
                         [](const testing::TestParamInfo<GroupCardForm>& info) { return info.param.name; });
