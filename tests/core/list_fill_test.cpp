// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/list_fill.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {
std::string Titles(const std::vector<ListRow>& rows)
{
    std::string text;
    for (const ListRow& row : rows)
        text += row.item->GetTitle() + ";";
    return text;
}
} // namespace

TEST(ListFill, ChildNodesAndDetailsSortedFoldersFirst)
{
    ItemTree tree;
    TreeNode& root = tree.Root();
    CreateItem(KindPerson, "adam", "", "", root, "", 0);
    CreateItem(KindFolder, "Zoo", "", "", root, "", 0);
    CreateItem(KindPhone, "Beta", "", "", root, "", 0);
    CreateItem(KindOrganization, "acme", "", "", root, "", 0);
    CreateItem(KindReminder, "zeta", "", "", root, "{Remd}2000,1,1,0~~0", 0);
    const auto rows = FillFolderList(&root);
    EXPECT_EQ(Titles(rows), "Zoo;acme;adam;Beta;zeta;");
    EXPECT_EQ(rows[0].image, 0);
    EXPECT_EQ(rows[4].image, ImageDueReminder);
    EXPECT_TRUE(FillFolderList(nullptr).empty());
}

TEST(ListFill, ChildNodesCarryTheirDueMarkerAndTheFilterApplies)
{
    ItemTree tree;
    TreeNode& person = *CreateItem(KindPerson, "P", "", "", tree.Root(), "", 0)->GetTreeNode();
    CreateItem(KindReminder, "R", "", "", person, "{Remd}2000,1,1,0~~0", 0);
    TKPXObject* hidden = CreateItem(KindFolder, "Hidden", "", "", tree.Root(), "", 0);
    hidden->SetCategories(2);
    tree.Filter().mode = CategoryFilter::Mode::Any;
    tree.Filter().mask = CategoryBit(1);
    person.Data()->SetCategories(1);
    const auto rows = FillFolderList(&tree.Root());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].stateImage, 1);
}

TEST(ListFill, TrayTipIsThePathCutTo62Characters)
{
    ItemTree tree;
    TreeNode& clients = *CreateItem(KindFolder, "Clients", "", "", tree.Root(), "", 0)->GetTreeNode();
    TreeNode& acme = *CreateItem(KindFolder, "Acme", "", "", clients, "", 0)->GetTreeNode();
    EXPECT_EQ(FolderPathTip(acme), "[My Contacts/Clients/Acme]");
    TreeNode& deep = *CreateItem(KindFolder, std::string(80, 'x'), "", "", acme, "", 0)->GetTreeNode();
    const std::string tip = FolderPathTip(deep);
    EXPECT_EQ(tip.size(), 62u);
    EXPECT_EQ(tip.substr(0, 27), "[My Contacts/Clients/Acme/x");
}
