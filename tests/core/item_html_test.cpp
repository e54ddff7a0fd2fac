// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/item_html.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace quillary;

namespace {
std::string Entry(const TKPXObject& item, std::string_view vcardFile = {})
{
    std::ostringstream out;
    WriteItemHtml(out, item, vcardFile);
    return out.str();
}
} // namespace

TEST(ItemHtml, AnAddressShowsItsLinesThatHoldText)
{
    ItemTree tree;
    auto& address = static_cast<TAddressObject&>(*CreateItem(KindAddress, "Home", "", "", tree.Root(), "", 0));
    // A fourth line is kept in the third, which the data file keeps.
    address.SetLines({"", "2 Mill Lane", "Upper Floor", "at the back"});
    address.SetCity("York");
    address.SetCountry("UK");
    EXPECT_EQ(Entry(address),
              "<em><strong>Home</em></strong><br>\r\n2 Mill Lane<br>\r\nUpper Floor, at the back<br>\r\n"
              "York,  <br>\r\nUK<br>\r\n");
}

// A primary slot naming a detail that does not exist hides nothing: a detail of another kind
// with that title is still among the others, and so is a second detail with a primary's title.
TEST(ItemHtml, OnlyThePrimaryDetailsThemselvesLeaveTheOthersCell)
{
    ItemTree tree;
    auto& org = static_cast<TOrgObject&>(*CreateItem(KindOrganization, "Acme", "", "", tree.Root(), "", 0));
    TreeNode& node = *org.GetTreeNode();
    CreateItem(KindPhone, "Main", "1", "", node, "", 0);
    CreateItem(KindPhone, "Main", "2", "", node, "", 0);
    CreateItem(KindFax, "Office", "3", "", node, "", 0);
    org.SetPrimary(TPartyObject::SlotPhone, "Main");
    org.SetPrimary(TPartyObject::SlotEMail, "Office");

    const std::string entry = Entry(org);
    const auto others = entry.find("<tr><td valign=top>\r\n</td><td valign=top>\r\n");
    ASSERT_NE(others, std::string::npos);
    EXPECT_LT(entry.find("Main</em></strong> 1<br>"), others);
    EXPECT_GT(entry.find("Main</em></strong> 2<br>"), others);
    EXPECT_GT(entry.find("Office</em></strong> 3<br>"), others);
    EXPECT_EQ(entry.find("<p>\r\n"), std::string::npos); // only persons space their other details
}

TEST(ItemHtml, APersonShowsJobTitleAndCompanyUnderTheNames)
{
    ItemTree tree;
    auto& person = static_cast<TPersonObject&>(*CreateItem(KindPerson, "Jan", "", "", tree.Root(), "", 0));
    person.SetNames("Dr.", "Jan", "", "Berg");
    const std::string names = "Dr. Jan  Berg<br>\r\n";
    const std::string plain = Entry(person);
    ASSERT_NE(plain.find(names), std::string::npos);

    person.SetWorkFields("Berg & Sons", "", "");
    EXPECT_NE(Entry(person).find(names + "Berg &amp; Sons<br>\r\n"), std::string::npos);
    person.SetWorkFields("Berg & Sons", "<Owner>", "");
    EXPECT_NE(Entry(person).find(names + "&lt;Owner&gt;, Berg &amp; Sons<br>\r\n"), std::string::npos);
    person.SetWorkFields("", "<Owner>", "");
    EXPECT_NE(Entry(person).find(names + "&lt;Owner&gt;<br>\r\n"), std::string::npos);
    person.SetWorkFields("", "", "");
    EXPECT_EQ(Entry(person), plain);
}

TEST(ItemHtml, DocumentsAreNotPublished)
{
    ItemTree tree;
    const TKPXObject& doc = *CreateItem(KindDocument, "CV", "/home/jo/cv.odt", "note", tree.Root(), "", 0);
    EXPECT_EQ(Entry(doc), "");
}
