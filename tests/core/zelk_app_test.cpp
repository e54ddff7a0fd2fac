// SPDX-License-Identifier: GPL-3.0-or-later
#include "automation/automation_error.h"
#include "automation/automation_host.h"
#include "automation/automation_members.h"
#include "automation/zelk_app.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/tree_node.h"
#include "shell/locate.h"
#include "support/fake_automation_host.h"
#include "support/fake_services.h"

#include <gtest/gtest.h>

#include <set>

using namespace quillary;

namespace {
TKPXObject& Make(TreeNode& parent, int kind, std::string_view title, std::string_view target = "",
                 std::string_view details = "", std::int32_t id = 0)
{
    return *CreateItem(kind, title, target, "", parent, details, id);
}

// "My Contacts" > Friends > Jane Doe (two websites; three details) and Work.
struct ZelkApp : ::testing::Test
{
    ItemTree tree;
    FakeHost host{tree};
    TZelkApp cursor{tree, host};
    TKPXObject& friends = Make(tree.Root(), KindFolder, "Friends");
    TKPXObject& jane = Make(*friends.GetTreeNode(), KindPerson, "Jane Doe", "Jane Doe");
    TKPXObject& blog = Make(*jane.GetTreeNode(), KindWebsite, "Blog", "http://blog.example");
    TKPXObject& shop = Make(*jane.GetTreeNode(), KindWebsite, "Shop", "http://shop.example");
    TKPXObject& home = Make(*jane.GetTreeNode(), KindPhone, "Home", "555 1234", "{Phon}12~~0");
    TKPXObject& mail = Make(*jane.GetTreeNode(), KindEMail, "Mail", "jane@example.org");
    TKPXObject& fax = Make(*jane.GetTreeNode(), KindFax, "Office fax", "555 9999");
    TKPXObject& work = Make(tree.Root(), KindFolder, "Work");

    int IndexOf(const TKPXObject& item) { return tree.AbsoluteIndexOf(*item.GetTreeNode()); }
};
} // namespace

TEST(AutomationMembers, EveryMemberHasItsOwnIdentifierInOrder)
{
    const auto members = AutomationMembers();
    ASSERT_EQ(members.size(), 19u);
    std::set<std::string_view> names;
    for (std::size_t i = 0; i < members.size(); ++i) {
        EXPECT_EQ(members[i].dispid, static_cast<int>(i) + 1);
        names.insert(members[i].name);
    }
    EXPECT_EQ(names.size(), 19u);
    ASSERT_NE(FindAutomationMember("zelkField"), nullptr);
    EXPECT_EQ(FindAutomationMember("zelkField")->dispid, DispZelkField);
    EXPECT_EQ(FindAutomationMember("zelkField")->kind, MemberKind::ReadWriteIndexedProperty);
    EXPECT_EQ(FindAutomationMember("zelkfield"), nullptr);
}

TEST_F(ZelkApp, ANewCursorStandsOnTheRoot)
{
    TZelkApp fresh(tree, host);
    EXPECT_EQ(fresh.CurrentItemIndex(), 0);
    EXPECT_EQ(fresh.zelkTitle(), "My Contacts");
    EXPECT_EQ(fresh.zelkClass(), KindRoot);
}

TEST_F(ZelkApp, ItemsMovesByAbsoluteIndexAndRefusesIndicesOutside)
{
    ASSERT_EQ(cursor.ItemCount(), 6); // root, Friends, Jane, Blog, Shop, Work
    ASSERT_TRUE(cursor.Items(2));
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");
    EXPECT_FALSE(cursor.Items(cursor.ItemCount()));
    EXPECT_FALSE(cursor.Items(-1));
    EXPECT_EQ(cursor.CurrentItemIndex(), 2);
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");
}

TEST_F(ZelkApp, SiblingIndexFallsBackToTheLastChild)
{
    cursor.Items(IndexOf(friends));
    EXPECT_EQ(cursor.NextSiblingIndex(), IndexOf(work));
    cursor.Items(IndexOf(jane));
    EXPECT_EQ(cursor.NextSiblingIndex(), IndexOf(shop));
    cursor.Items(IndexOf(work));
    EXPECT_EQ(cursor.NextSiblingIndex(), -1);
}

TEST_F(ZelkApp, ChildReachesChildNodesThenDetails)
{
    cursor.Items(IndexOf(jane));
    EXPECT_EQ(cursor.ChildCount(), 5);
    const std::vector<std::string> expected{"Blog", "Shop", "Home", "Mail", "Office fax"};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(cursor.Child(i)) << i;
        EXPECT_EQ(cursor.zelkTitle(), expected[static_cast<std::size_t>(i)]);
        EXPECT_EQ(cursor.CurrentItemIndex(), IndexOf(jane)); // the node stays the parent
    }
    EXPECT_EQ(cursor.ChildCount(), 0); // a detail's own details
    EXPECT_FALSE(cursor.Child(5));
    EXPECT_FALSE(cursor.Child(-1));
    EXPECT_EQ(cursor.zelkTitle(), "Office fax");
    ASSERT_TRUE(cursor.Child(2));
    EXPECT_EQ(cursor.zelkClass(), 6);
    EXPECT_EQ(cursor.zelkID(), home.GetID());
}

TEST_F(ZelkApp, SelectionComesFromTheActivePane)
{
    host.pane = ActivePane::Folders;
    EXPECT_EQ(cursor.SelectCount(), 1); // even with nothing selected
    EXPECT_FALSE(cursor.UserSelected(0));

    host.selectedNode = jane.GetTreeNode();
    host.rows = {&mail}; // rows of an inactive list do not count
    ASSERT_TRUE(cursor.UserSelected(0));
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");

    host.pane = ActivePane::MainItems;
    host.rows = {&home, &fax, &shop};
    EXPECT_EQ(cursor.SelectCount(), 3);
    ASSERT_TRUE(cursor.UserSelected(1));
    EXPECT_EQ(cursor.zelkTitle(), "Office fax");
    EXPECT_EQ(cursor.CurrentItemIndex(), IndexOf(jane));
    ASSERT_TRUE(cursor.UserSelected(2));
    EXPECT_EQ(cursor.CurrentItemIndex(), IndexOf(shop)); // a child node becomes the node
    EXPECT_FALSE(cursor.UserSelected(3));
    EXPECT_EQ(cursor.zelkTitle(), "Shop");

    host.pane = ActivePane::Other;
    host.rows.clear();
    EXPECT_EQ(cursor.SelectCount(), 0);
}

TEST_F(ZelkApp, ItemWithIdFindsTheFirstInTreeOrder)
{
    Make(*work.GetTreeNode(), KindPhone, "Later", "1", "", 4242);
    Make(*friends.GetTreeNode(), KindFolder, "Earlier", "", "", 4242); // sorts before Jane
    tree.SortChildren(*friends.GetTreeNode());
    ASSERT_TRUE(cursor.ItemWithId(4242));
    EXPECT_EQ(cursor.zelkTitle(), "Earlier");
    ASSERT_TRUE(cursor.ItemWithId(mail.GetID()));
    EXPECT_EQ(cursor.zelkTitle(), "Mail");
    EXPECT_EQ(cursor.CurrentItemIndex(), IndexOf(jane));
    EXPECT_FALSE(cursor.ItemWithId(-7));
    EXPECT_EQ(cursor.zelkTitle(), "Mail");
}

TEST_F(ZelkApp, NextItemWithTitleFindsByWordStart)
{
    ASSERT_TRUE(cursor.NextItemWithTitle("fax"));
    EXPECT_EQ(cursor.zelkTitle(), "Office fax");
    ASSERT_TRUE(cursor.NextItemWithTitle("doe"));
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");
    EXPECT_FALSE(cursor.NextItemWithTitle("oe")); // not a word start: the cursor stays
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");
}

TEST_F(ZelkApp, WritesChangeTheItemAndTheFolderTree)
{
    cursor.Items(IndexOf(friends));
    cursor.SetZelkTitle("Amigos\r\n~~");
    EXPECT_EQ(friends.GetTreeNode()->Text(), friends.GetTitle());
    EXPECT_EQ(friends.GetTitle().find('\n'), std::string::npos);
    EXPECT_EQ(friends.GetTitle().find("~~"), std::string::npos);
    EXPECT_EQ(cursor.zelkTitle().substr(0, 6), "Amigos");

    cursor.SetZelkTarget("target");
    cursor.SetZelkComment("note");
    EXPECT_EQ(cursor.zelkTarget(), "target");
    EXPECT_EQ(cursor.zelkComment(), "note");
}

TEST_F(ZelkApp, InsertHangsTheItemUnderTheCurrentNode)
{
    cursor.Items(IndexOf(work));
    cursor.Insert(KindPhone, "Desk", "555 0000", "ext", "{Phon}7~~0");
    EXPECT_EQ(cursor.zelkTitle(), "Work"); // the cursor does not move
    ASSERT_EQ(cursor.ChildCount(), 1);
    ASSERT_TRUE(cursor.Child(0));
    EXPECT_EQ(cursor.zelkClass(), KindPhone);
    EXPECT_NE(cursor.zelkID(), 0);
    EXPECT_EQ(cursor.zelkField("Extension"), "\"7\",");

    cursor.Items(0);
    cursor.Insert(KindFolder, "Aardvarks", "", "", "");
    EXPECT_EQ(tree.Root().FirstChild()->Text(), "Aardvarks"); // sorted in at once
    EXPECT_THROW(cursor.Insert(KindRoot, "Root", "", "", ""), AutomationError);
    EXPECT_THROW(cursor.Insert(40, "Odd", "", "", ""), AutomationError);
}

TEST_F(ZelkApp, FieldsReadInExportFormAndWriteOneAtATime)
{
    home.SetComment("say \"hi\", then hang up");
    ASSERT_TRUE(cursor.ItemWithId(home.GetID()));
    EXPECT_EQ(cursor.zelkField("Comment"), "\"say \"\"hi\"\", then hang up\",");
    EXPECT_EQ(cursor.zelkField("Nothing"), "");

    cursor.SetZelkField("Phone Number", "555 4321");
    EXPECT_EQ(home.GetTarget(), "555 4321");
    EXPECT_EQ(home.GetTitle(), "Home");
    EXPECT_EQ(home.GetComment(), "say \"hi\", then hang up");
    EXPECT_EQ(static_cast<TPhoneObject&>(home).GetFieldText("Extension"), "\"12\",");

    EXPECT_THROW(cursor.SetZelkField("Website", "x"), AutomationError);
    EXPECT_THROW(cursor.SetZelkField("Phone Number", ""), AutomationError); // would lose the number
    EXPECT_EQ(home.GetTarget(), "555 4321");
}

TEST_F(ZelkApp, APersonsContactFieldsGoToItsPrimaryDetails)
{
    auto& person = static_cast<TPersonObject&>(jane);
    person.SetNames("", "Jane", "", "Doe");
    person.SetPrimary(TPartyObject::SlotPhone, "Home");
    cursor.Items(IndexOf(jane));
    const int details = jane.ChildCount();

    cursor.SetZelkField("Phone Number", "555 7777");
    EXPECT_EQ(home.GetTarget(), "555 7777");
    cursor.SetZelkField("First Name", "Janet");
    EXPECT_EQ(cursor.zelkField("First Name"), "\"Janet\",");
    EXPECT_EQ(cursor.zelkField("Last Name"), "\"Doe\",");
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");
    EXPECT_EQ(jane.ChildCount(), details); // no new primary details
    EXPECT_EQ(jane.GetTreeNode()->ChildCount(), 2);
    EXPECT_THROW(cursor.SetZelkField("Fax Number", "1"), AutomationError); // no primary fax
}

TEST_F(ZelkApp, APersonsCompanyJobTitleAndSuffixAreItsOwnFields)
{
    cursor.Items(IndexOf(jane));
    const int details = jane.ChildCount();
    cursor.SetZelkField("Company", "Acme, Inc.");
    cursor.SetZelkField("Job Title", "Buyer");
    cursor.SetZelkField("Suffix", "Jr.");
    const auto& person = static_cast<const TPersonObject&>(jane);
    EXPECT_EQ(person.Company(), "Acme, Inc.");
    EXPECT_EQ(person.JobTitle(), "Buyer");
    EXPECT_EQ(cursor.zelkField("Suffix"), "\"Jr.\",");
    EXPECT_EQ(jane.ChildCount(), details);

    // An organization has no such fields.
    Make(tree.Root(), KindOrganization, "Globex");
    cursor.Items(tree.NodeCount() - 1);
    EXPECT_THROW(cursor.SetZelkField("Company", "x"), AutomationError);
    EXPECT_EQ(cursor.zelkField("Job Title"), ",");
}

TEST_F(ZelkApp, CopyAndDefaultActionWorkOnTheCurrentItem)
{
    cursor.ItemWithId(mail.GetID());
    cursor.CopyClipboard();
    EXPECT_EQ(host.clipboard, mail.GetPlainText());
    EXPECT_NO_THROW(cursor.DoDefaultAction());
}

TEST_F(ZelkApp, ACursorSurvivesTheRemovalOfWhatItStandsOn)
{
    cursor.Items(IndexOf(jane));
    ASSERT_TRUE(cursor.Child(0));
    tree.DeleteNode(*blog.GetTreeNode()); // the current item's node
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");

    ASSERT_TRUE(cursor.Child(3));
    jane.DeleteChild(&fax); // the current detail
    EXPECT_EQ(cursor.zelkTitle(), "Jane Doe");

    tree.DeleteNode(*friends.GetTreeNode()); // an ancestor of the current node
    EXPECT_EQ(cursor.CurrentItemIndex(), 0);
    EXPECT_EQ(cursor.zelkTitle(), "My Contacts");

    cursor.Items(IndexOf(work));
    tree.DeleteChildren(tree.Root()); // in bulk, without single notices
    EXPECT_EQ(cursor.zelkTitle(), "My Contacts");
    EXPECT_EQ(cursor.ItemCount(), 1);
}

TEST_F(ZelkApp, AnAddressKeepsItsLinesInPlaceWhenOneFieldIsWritten)
{
    auto& address = static_cast<TAddressObject&>(
        Make(*jane.GetTreeNode(), KindAddress, "Home", "1 Main St", "{Addr}1 Main St~~~~Flat 2~~Springfield~~~~~~~~0"));
    ASSERT_TRUE(cursor.ItemWithId(address.GetID()));
    cursor.SetZelkField("City", "Shelbyville");
    EXPECT_EQ(address.GetFieldText("City"), "\"Shelbyville\",");
    EXPECT_EQ(address.Lines()[1], "");
    EXPECT_EQ(address.Lines()[2], "Flat 2");
    EXPECT_EQ(address.GetTitle(), "Home");
}
