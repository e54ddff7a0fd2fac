// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/field_record.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {
TKPXObject& Make(ItemTree& tree, int kind)
{
    return *CreateItem(kind, "New", "", "", tree.Root(), "", 0);
}
} // namespace

TEST(ItemFields, AnOrganizationRowMakesItsPrimaryAddress)
{
    ItemTree tree;
    auto& org = static_cast<TOrgObject&>(Make(tree, KindOrganization));
    FieldRecord row{{"Title", "Comment", "Address Line 1"}, {"Doe Ltd", "", "12 High St"}};
    ASSERT_TRUE(org.ReadFields(row));
    EXPECT_EQ(org.GetTitle(), "Doe Ltd");
    EXPECT_EQ(org.GetComment(), "");
    EXPECT_EQ(org.Primary(TPartyObject::SlotAddress), "Primary Address");
    auto* address = dynamic_cast<TAddressObject*>(org.PrimaryChild(TPartyObject::SlotAddress));
    ASSERT_NE(address, nullptr);
    EXPECT_EQ(address->Lines()[0], "12 High St");
    EXPECT_EQ(org.ChildCount(), 1); // no phone, fax or e-mail column: nothing else kept
    EXPECT_EQ(org.GetTreeNode()->ChildCount(), 0);

    auto& untitled = static_cast<TOrgObject&>(Make(tree, KindOrganization));
    FieldRecord noTitle{{"Comment"}, {"x"}};
    EXPECT_FALSE(untitled.ReadFields(noTitle));
}

TEST(ItemFields, PersonsNeedANameAndTakeItAsTitle)
{
    ItemTree tree;
    auto& person = static_cast<TPersonObject&>(Make(tree, KindPerson));
    FieldRecord row{{"Title", "First Name", "Last Name", "Comment", "Phone Number"},
                    {"", "John", "Doe", "met in May", "555 1234"}};
    ASSERT_TRUE(person.ReadFields(row));
    EXPECT_EQ(person.GetTitle(), "John Doe");
    EXPECT_EQ(person.GetTarget(), "John Doe");
    EXPECT_EQ(person.GetComment(), "met in May");
    const TKPXObject* phone = person.PrimaryChild(TPartyObject::SlotPhone);
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(phone->GetTitle(), "Primary Phone");
    EXPECT_EQ(phone->GetComment(), ""); // the person's comment stays with the person
    EXPECT_EQ(person.GetFieldText("Phone Number"), "\"555 1234\",");
    EXPECT_EQ(person.GetFieldText("Title"), "\"John Doe\",");
    EXPECT_EQ(person.GetFieldText("Fax Number"), ",");

    auto& nameless = static_cast<TPersonObject&>(Make(tree, KindPerson));
    FieldRecord titled{{"Title"}, {"Someone"}};
    EXPECT_FALSE(nameless.ReadFields(titled));
    EXPECT_FALSE(nameless.HasChildren());
    auto& lastOnly = static_cast<TPersonObject&>(Make(tree, KindPerson));
    FieldRecord last{{"Last Name"}, {"Doe"}};
    ASSERT_TRUE(lastOnly.ReadFields(last));
    EXPECT_EQ(lastOnly.GetTitle(), "New"); // no Title column: the title stays
    EXPECT_EQ(lastOnly.GetTarget(), " Doe");
}

TEST(ItemFields, DetailKindsReadTheirColumns)
{
    ItemTree tree;
    auto& address = static_cast<TAddressObject&>(Make(tree, KindAddress));
    FieldRecord rowA{{"address line 1", "Address Line 3", "City"}, {"1 Main St", "Floor 2", "Leeds"}};
    ASSERT_TRUE(address.ReadFields(rowA));
    EXPECT_EQ(address.GetTitle(), "New Address");
    EXPECT_EQ(address.Lines(), (std::vector<std::string>{"1 Main St", "Floor 2", ""})); // line 3 moved up
    EXPECT_EQ(address.GetFieldText("City"), "\"Leeds\",");
    EXPECT_EQ(address.GetFieldText("city"), ""); // export names are compared exactly

    TKPXObject& email = Make(tree, KindEMail);
    FieldRecord rowE{{"E-Mail Address"}, {"ann@example.org"}};
    ASSERT_TRUE(email.ReadFields(rowE));
    EXPECT_EQ(email.GetTitle(), "ann");

    TKPXObject& phone = Make(tree, KindPhone);
    FieldRecord rowP{{"Phone Number"}, {"555"}};
    EXPECT_FALSE(phone.ReadFields(rowP)); // a phone needs its title column

    TKPXObject& web = Make(tree, KindWebsite);
    FieldRecord rowW{{"Website"}, {"https://example.org"}};
    ASSERT_TRUE(web.ReadFields(rowW));
    EXPECT_EQ(web.GetTitle(), "https://example.org");
    EXPECT_EQ(web.GetTreeNode()->Text(), "https://example.org");
    TKPXObject& plain = Make(tree, KindWebsite);
    FieldRecord rowX{{"Website"}, {"example.org"}};
    EXPECT_TRUE(plain.ReadFields(rowX)); // not a URL: the title stays "New"
    EXPECT_EQ(plain.GetTitle(), "New");
}
