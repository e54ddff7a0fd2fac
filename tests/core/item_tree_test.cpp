// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_observer.h"

#include <gtest/gtest.h>

using namespace quillary;

namespace {

TreeNode& AddFolder(TreeNode& parent, const std::string& title)
{
    return *CreateItem(KindFolder, title, "", "", parent, "{Fold}0", 0)->GetTreeNode();
}

TreeNode& AddPerson(TreeNode& parent, const std::string& title)
{
    return *CreateItem(KindPerson, title, "", "", parent, "", 0)->GetTreeNode();
}

std::vector<std::string> Texts(const ItemTree& tree)
{
    std::vector<std::string> texts;
    for (int i = 0; i < tree.NodeCount(); ++i)
        texts.push_back(std::string(tree.NodeAt(i)->Depth(), '.') + tree.NodeAt(i)->Text());
    return texts;
}

class EventLog final : public TreeObserver
{
public:
    void NodeAboutToBeAdded(TreeNode& parent, int row) override { Log("add?", parent, row); }
    void NodeAdded(TreeNode& node) override { Log("add", node, node.Index()); }
    void NodeAboutToBeRemoved(TreeNode& node) override { Log("remove?", node, node.Index()); }
    void NodeRemoved(TreeNode& parent, int row) override { Log("remove", parent, row); }
    void NodeAboutToBeMoved(TreeNode& node, TreeNode& to, int row) override { Log("move? " + node.Text(), to, row); }
    void NodeMoved(TreeNode& node) override { Log("move", node, node.Index()); }
    void ChildrenAboutToBeSorted(TreeNode& parent) override { Log("sort?", parent, 0); }
    void ChildrenSorted(TreeNode& parent, const std::vector<int>& rows) override
    {
        std::string text;
        for (int row : rows)
            text += std::to_string(row);
        events.push_back("sort " + parent.Text() + " " + text);
    }
    void NodeChanged(TreeNode& node) override { Log("change", node, node.StateIndex()); }
    void TreeResetStarted() override { events.push_back("reset?"); }
    void TreeResetEnded() override { events.push_back("reset"); }

    std::vector<std::string> events;

private:
    void Log(const std::string& what, TreeNode& node, int n)
    {
        events.push_back(what + " " + node.Text() + " " + std::to_string(n));
    }
};

} // namespace

TEST(ItemTree, StartsWithTheRootAlone)
{
    ItemTree tree;
    EXPECT_EQ(tree.NodeCount(), 1);
    EXPECT_EQ(tree.Root().Text(), "My Contacts");
    EXPECT_EQ(tree.RootItem().GetID(), RootId);
    EXPECT_EQ(tree.RootItem().GetKind(), KindRoot);
    EXPECT_EQ(tree.Root().ImageIndex(), ImageRoot);
    EXPECT_EQ(tree.Root().SelectedIndex(), ImageRoot);
    EXPECT_EQ(tree.Root().Depth(), 0);
}

TEST(ItemTree, NumbersNodesDepthFirstAndFollowsChanges)
{
    ItemTree tree;
    TreeNode& a = AddFolder(tree.Root(), "A");
    TreeNode& b = AddFolder(tree.Root(), "B");
    TreeNode& a1 = AddPerson(a, "A1");
    AddPerson(b, "B1");
    EXPECT_EQ(Texts(tree), (std::vector<std::string>{"My Contacts", ".A", "..A1", ".B", "..B1"}));
    EXPECT_EQ(b.AbsoluteIndex(), 3);
    EXPECT_EQ(tree.NodeAt(2), &a1);
    EXPECT_EQ(tree.NodeAt(5), nullptr);
    EXPECT_EQ(tree.NodeAt(-1), nullptr);

    tree.MoveNode(a, b);
    EXPECT_EQ(Texts(tree), (std::vector<std::string>{"My Contacts", ".B", "..B1", "..A", "...A1"}));
    EXPECT_EQ(a1.Depth(), 3);
    EXPECT_EQ(a.Index(), 1);
    EXPECT_EQ(b.Index(), 0);
    EXPECT_EQ(a1.AbsoluteIndex(), 4);

    tree.DeleteNode(b);
    EXPECT_EQ(Texts(tree), (std::vector<std::string>{"My Contacts"}));
}

TEST(ItemTree, SiblingWalkAndLastDescendant)
{
    ItemTree tree;
    TreeNode& a = AddFolder(tree.Root(), "A");
    TreeNode& b = AddFolder(tree.Root(), "B");
    TreeNode& deep = AddPerson(AddPerson(a, "P"), "Q");
    EXPECT_EQ(a.NextSibling(), &b);
    EXPECT_EQ(b.NextSibling(), nullptr);
    EXPECT_EQ(tree.Root().LastChild(), &b);
    EXPECT_EQ(&ItemTree::LastDescendant(a), &deep);
    EXPECT_EQ(&ItemTree::LastDescendant(b), &b);
    EXPECT_TRUE(a.IsAncestorOf(deep));
    EXPECT_FALSE(b.IsAncestorOf(deep));
}

TEST(ItemTree, SortsFoldersFirstThenTitlesIgnoringCase)
{
    ItemTree tree;
    AddPerson(tree.Root(), "bob");
    AddFolder(tree.Root(), "zeta");
    AddPerson(tree.Root(), "Alice");
    AddFolder(tree.Root(), "Alpha");
    AddPerson(tree.Root(), "_under");
    tree.SortChildren(tree.Root());
    EXPECT_EQ(Texts(tree), (std::vector<std::string>{"My Contacts", ".Alpha", ".zeta", ".Alice", ".bob", "._under"}));
    for (int i = 0; i < tree.Root().ChildCount(); ++i)
        EXPECT_EQ(tree.Root().ChildAt(i)->Index(), i);
}

TEST(ItemTree, ASortedListIsSortedAgainAfterAnyChangeThatCanReorderIt)
{
    ItemTree tree;
    TreeNode& folder = AddFolder(tree.Root(), "F");
    AddPerson(folder, "b");
    TKPXObject& c = *AddPerson(folder, "c").Data();
    tree.SortChildren(folder);
    const auto titles = [&] {
        std::string text;
        for (int i = 0; i < folder.ChildCount(); ++i)
            text += folder.ChildAt(i)->Text();
        return text;
    };
    AddPerson(folder, "a");
    tree.SortChildren(folder);
    EXPECT_EQ(titles(), "abc");
    {
        // The title changes while sorting waits, as an import renames what it made.
        DeferredSort later(tree, folder);
        c.SetTitle("0");
    }
    EXPECT_EQ(titles(), "0ab");
    tree.MoveNode(AddPerson(tree.Root(), "+"), folder);
    tree.SortChildren(tree.Root());
    tree.SortChildren(folder);
    EXPECT_EQ(titles(), "+0ab");
}

TEST(ItemTree, TellsObserversWhatChanged)
{
    ItemTree tree;
    EventLog log;
    tree.AddObserver(&log);
    TreeNode& b = AddPerson(tree.Root(), "B");
    TreeNode& a = AddPerson(tree.Root(), "A");
    tree.SortChildren(tree.Root());
    tree.SortChildren(tree.Root()); // already in order: nothing to tell
    tree.MoveNode(b, a);
    tree.DeleteNode(a);
    EXPECT_EQ(log.events, (std::vector<std::string>{"add? My Contacts 0", "add B 0", "add? My Contacts 1", "add A 1",
                                                    "sort? My Contacts 0", "sort My Contacts 10", "move? B A 0",
                                                    "move B 0", "remove? A 0", "remove My Contacts 0"}));
    log.events.clear();
    {
        TreeUpdateGuard outer(tree);
        TreeUpdateGuard inner(tree);
        AddPerson(tree.Root(), "C");
    }
    EXPECT_EQ(log.events, (std::vector<std::string>{"reset?", "reset"}));
    tree.RemoveObserver(&log);
}

TEST(ItemTree, DeletingChildrenOfTheRootKeepsTheRoot)
{
    ItemTree tree;
    for (int i = 0; i < 50; ++i)
        AddPerson(AddFolder(tree.Root(), "F" + std::to_string(i)), "P");
    tree.DeleteChildren(tree.Root());
    EXPECT_EQ(tree.NodeCount(), 1);
    EXPECT_FALSE(tree.Root().HasChildren());
}

TEST(ItemTree, DrawnIdentifiersAreNeverZeroNorTaken)
{
    ItemTree tree;
    // A source that first yields a zero product, then a taken identifier, then a free one.
    std::vector<std::int32_t> draws = {0, 7, 1, RootId, 2, 3};
    std::size_t next = 0;
    tree.Ids().SetRandomSource([&](std::int32_t) { return draws[next++]; });
    TKPXObject* item = CreateItem(KindPhone, "x", "", "", tree.Root(), "", 0);
    EXPECT_EQ(item->GetID(), 6);
    EXPECT_EQ(next, draws.size());
}

TEST(ItemTree, IdentifiersFromFilesAreKeptEvenWhenRepeated)
{
    ItemTree tree;
    TKPXObject* a = CreateItem(KindPhone, "a", "", "", tree.Root(), "", 41);
    TKPXObject* b = CreateItem(KindPhone, "b", "", "", tree.Root(), "", 41);
    EXPECT_EQ(a->GetID(), 41);
    EXPECT_EQ(b->GetID(), 41);
    tree.RootItem().DeleteChild(a);
    EXPECT_TRUE(tree.Ids().InUse(41)); // b still holds it
    tree.RootItem().DeleteChild(b);
    EXPECT_FALSE(tree.Ids().InUse(41));
}

TEST(ItemTree, RenamingTellsObserversTheLabelChanged)
{
    ItemTree tree;
    TreeNode& node = AddPerson(tree.Root(), "Old");
    AddPerson(tree.Root(), "Middle");
    EventLog log;
    tree.AddObserver(&log);
    node.Data()->SetTitle("Zed");
    EXPECT_EQ(node.Text(), "Zed");
    EXPECT_EQ(log.events, (std::vector<std::string>{"change Zed -1", "sort? My Contacts 0", "sort My Contacts 10"}));
    tree.RemoveObserver(&log);
}
