// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/locate.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {

TreeNode& AddNode(TreeNode& parent, int kind, const std::string& title)
{
    return *CreateItem(kind, title, "", "", parent, "", 0)->GetTreeNode();
}

// The selected node and highlighted entry as "node/entry", or "none".
std::string Found(const std::optional<LocateResult>& result)
{
    return result ? result->node->Text() + "/" + result->entryTitle : "none";
}

} // namespace

TEST(Locate, MatchesOnlyWhenTheFirstOccurrenceStartsAWord)
{
    EXPECT_TRUE(TitleMatchesWord("Sonja Berg", "son"));
    EXPECT_TRUE(TitleMatchesWord("Anna Sonnleitner", "son"));
    EXPECT_FALSE(TitleMatchesWord("Mason Sonny", "son"));
    EXPECT_FALSE(TitleMatchesWord("Anna", "son"));
}

TEST(Locate, FindsWordStartsInAnyCaseAndWrapsAround)
{
    ItemTree tree;
    TreeNode& friends = AddNode(tree.Root(), KindFolder, "Friends");
    AddNode(friends, KindPerson, "Mason Sonny");
    AddNode(friends, KindPerson, "Sonja Berg");
    TreeNode& work = AddNode(tree.Root(), KindFolder, "Work");
    AddNode(work, KindPerson, "Anna Sonnleitner");
    AddNode(tree.Root(), KindPerson, "Sonia Park");
    tree.SortChildren(tree.Root());
    tree.SortChildren(friends);

    std::vector<std::string> visits;
    int start = 0;
    for (int i = 0; i < 4; ++i) {
        const auto result = Locate(tree, "son", start);
        visits.push_back(Found(result));
        // The caller starts the next search at the node of the entry it highlighted.
        start = result->node->AbsoluteIndex();
        for (int c = 0; c < result->node->ChildCount(); ++c)
            if (result->node->ChildAt(c)->Text() == result->entryTitle)
                start = result->node->ChildAt(c)->AbsoluteIndex();
    }
    EXPECT_EQ(visits, (std::vector<std::string>{"Friends/Sonja Berg", "Work/Anna Sonnleitner", "My Contacts/Sonia Park",
                                                "Friends/Sonja Berg"}));
    EXPECT_EQ(Found(Locate(tree, "BERG", 0)), "Friends/Sonja Berg");
    EXPECT_EQ(Found(Locate(tree, "", 0)), "none");
    EXPECT_EQ(Found(Locate(tree, "nobody", 0)), "none");
}

TEST(Locate, DetailMatchSelectsTheHolderAndHighlightsTheDetail)
{
    ItemTree tree;
    TreeNode& ann = AddNode(AddNode(tree.Root(), KindFolder, "Friends"), KindPerson, "Ann Lee");
    CreateItem(KindPhone, "Home", "555", "", ann, "", 0);
    CreateItem(KindEMail, "ann.lee@example.org", "", "", ann, "", 0);

    EXPECT_EQ(Found(Locate(tree, "ann.lee@", 0)), "Ann Lee/ann.lee@example.org");
    // Starting at the person, the wrap-around visits it last.
    EXPECT_EQ(Found(Locate(tree, "ann.lee@", ann.AbsoluteIndex())), "Ann Lee/ann.lee@example.org");
}

TEST(Locate, ARootAloneIsVisitedOnceAndFoundAsItself)
{
    ItemTree tree;
    std::vector<std::pair<int, int>> progress;
    const auto result = Locate(tree, "my", 0, [&](int visited, int total) { progress.emplace_back(visited, total); });
    EXPECT_EQ(Found(result), "My Contacts/");
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{1, 1}}));
    progress.clear();
    EXPECT_FALSE(Locate(tree, "zzz", 5, [&](int visited, int total) { progress.emplace_back(visited, total); }));
    EXPECT_EQ(progress.size(), 1u);
}
