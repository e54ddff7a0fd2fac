// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fake_services.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "shell/new_item.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

TEST(NewItem, RefusedItemsAreRemovedAgainWithTheirNodes)
{
    TestWorld world;
    ItemTree tree(world.Services());
    EXPECT_EQ(NewItem(tree.Root(), KindPerson), nullptr); // the dialog was cancelled
    EXPECT_EQ(NewItem(tree.Root(), KindPhone), nullptr);
    EXPECT_EQ(tree.NodeCount(), 1);
    EXPECT_FALSE(tree.RootItem().HasChildren());

    TKPXObject* folder = NewItem(tree.Root(), KindFolder); // in-place editing: always kept
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->GetTitle(), "New Folder");
    EXPECT_EQ(world.desktop.calls.back(), (Call{"edit-label", {"New Folder"}}));
}

TEST(NewItem, AcceptedItemsStayAndWebsitesTakeTheirTitle)
{
    TestWorld world;
    ItemTree tree(world.Services());
    world.dialogs.website = [](WebsiteForm& form, EditMode) {
        form.title = "Example";
        form.url = "https://example.org";
        return true;
    };
    world.dialogs.phone = [](PhoneForm& form, EditMode) {
        form.number = form.plainNumber = "555";
        return true;
    };
    TKPXObject* web = NewItem(tree.Root(), KindWebsite);
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(web->GetTreeNode()->Text(), "Example");
    TKPXObject* phone = NewItem(*web->GetTreeNode(), KindPhone);
    ASSERT_NE(phone, nullptr);
    EXPECT_EQ(phone->GetTitle(), "New Phone");
    EXPECT_EQ(web->ChildAt(0), phone);
    EXPECT_EQ(NewItemTitle(KindDocument), "New Document");
    EXPECT_EQ(NewItemTitle(KindTool), "");
}
