// SPDX-License-Identifier: GPL-3.0-or-later
// Levels as files give them: below 1, past 16 bits, nested deeper than the tree may be.
#include "support/fake_automation_host.h"
#include "support/test_files.h"

#include "automation/zelk_app.h"
#include "exchange/html_publish.h"
#include "exchange/item_file_import.h"
#include "model/create_item.h"
#include "model/data_file.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_group.h"
#include "model/kpx_object.h"
#include "model/node_path.h"
#include "model/record_reader.h"
#include "model/record_writer.h"
#include "model/tree_depth.h"
#include "shell/tree_commands.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <functional>
#include <sstream>

using namespace quillary;
using namespace quillary::test;
namespace fs = std::filesystem;

namespace {

std::string Folder(long long level, const std::string& title, int id)
{
    return "{" + std::to_string(level) + " 0 }" + title + "~~~~~~" + std::to_string(id) + "\r\n{Fold}0\r\n";
}

// Folders N1 to N<levels>, each one level below the one before.
std::string Chain(int levels)
{
    std::string text;
    for (int level = 1; level <= levels; ++level)
        text += Folder(level, "N" + std::to_string(level), level);
    return text;
}

ReadReport Read(TreeNode& target, const std::string& text)
{
    std::istringstream in(text);
    ReadReport report;
    TreeUpdateGuard guard(target.Tree());
    ReadItems(in, target, &report);
    return report;
}

TreeNode* Named(ItemTree& tree, const std::string& title)
{
    for (int i = 0; i < tree.NodeCount(); ++i)
        if (tree.NodeAt(i)->Text() == title)
            return tree.NodeAt(i);
    return nullptr;
}

int DeepestDepth(ItemTree& tree)
{
    int deepest = 0;
    for (int i = 0; i < tree.NodeCount(); ++i)
        deepest = std::max(deepest, tree.NodeAt(i)->Depth());
    return deepest;
}

// A chain built node by node, past any limit: the shape a tree could only get by other means.
TreeNode& BuildChainUnchecked(ItemTree& tree, int levels)
{
    TreeNode* node = &tree.Root();
    for (int level = 1; level <= levels; ++level) {
        auto item = std::make_unique<TFolderObject>(tree, "N" + std::to_string(level), "", "", level, "");
        TKPXObject* handle = item.get();
        node = &tree.AddChild(*node, std::move(item), handle->GetTitle(), 0, 0);
        handle->SetTreeNode(node);
    }
    return *node;
}

// Runs work on a thread with a stack of 1 MiB: a walk that recursed once per level of a
// 100,000-level tree would overflow it and end the test program.
void OnSmallStack(const std::function<void()>& work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1 << 20);
    pthread_t thread;
    auto run = [](void* argument) -> void* {
        (*static_cast<const std::function<void()>*>(argument))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, const_cast<std::function<void()>*>(&work)), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
}

} // namespace

TEST(RecordLevels, ALevelBelowOneCountsAsOne)
{
    ItemTree tree;
    const ReadReport report = Read(tree.Root(), Folder(-5, "Neg", 1) + Folder(1, "B", 2) + Folder(1, "C", 3) +
                                                    Folder(0, "Zero", 4) + Folder(2, "D", 5));
    EXPECT_EQ(report.records, 5);
    ASSERT_EQ(tree.Root().ChildCount(), 4);
    for (const char* top : {"Neg", "B", "C", "Zero"})
        EXPECT_EQ(Named(tree, top)->Parent(), &tree.Root()) << top;
    EXPECT_EQ(Named(tree, "D")->Parent(), Named(tree, "Zero"));

    // Beneath another node a negative level stays beneath it, and so does what follows.
    TreeNode& holder = *Named(tree, "B");
    Read(holder, Folder(-32768, "Low", 6) + Folder(1, "Next", 7));
    EXPECT_EQ(Named(tree, "Low")->Parent(), &holder);
    EXPECT_EQ(Named(tree, "Next")->Parent(), &holder);
}

TEST(RecordLevels, LevelsPast16BitsKeepTheirPlace)
{
    ItemTree tree;
    Read(tree.Root(), Folder(1, "A", 1) + Folder(32768, "B", 2) + Folder(32769, "C", 3) + Folder(2147483647, "D", 4) +
                          Folder(1, "E", 5));
    EXPECT_EQ(Named(tree, "B")->Parent(), Named(tree, "A"));
    EXPECT_EQ(Named(tree, "C")->Parent(), Named(tree, "B"));
    EXPECT_EQ(Named(tree, "D")->Parent(), Named(tree, "C"));
    EXPECT_EQ(Named(tree, "E")->Parent(), &tree.Root());
}

TEST(DeepFiles, RecordsPastTheLimitArePlacedAtItAndCounted)
{
    ItemTree tree;
    const std::string phone = "{100001 6 }Phone~~555~~~~300000\r\n{Phon}~~0\r\n";
    const ReadReport report = Read(tree.Root(), Chain(100000) + phone + Folder(2, "Second", 200000));
    EXPECT_EQ(report.records, 100002);
    EXPECT_EQ(report.placedAtDepthLimit, 100000 - MaxTreeDepth);
    EXPECT_EQ(DeepestDepth(tree), MaxTreeDepth);
    EXPECT_EQ(Named(tree, "N1000")->Depth(), MaxTreeDepth);
    EXPECT_EQ(Named(tree, "N100000")->Parent(), Named(tree, "N999"));
    ASSERT_EQ(Named(tree, "N100000")->Data()->ChildCount(), 1); // details stay with their owner
    EXPECT_EQ(Named(tree, "N100000")->Data()->ChildAt(0)->GetTitle(), "Phone");
    // Climbing back from the deep run lands where the file says.
    EXPECT_EQ(Named(tree, "Second")->Parent(), Named(tree, "N1"));

    // Saved and read again, the tree is the same and nothing more is placed.
    const std::string saved = SavedTree(tree);
    ItemTree again;
    std::istringstream in(saved);
    ReadReport second;
    LoadDataStream(in, again.Root(), &second);
    EXPECT_EQ(second.placedAtDepthLimit, 0);
    EXPECT_EQ(SavedTree(again), saved);
}

TEST(DeepFiles, ClimbsBackThroughFoldedLevels)
{
    ItemTree tree;
    const ReadReport report = Read(tree.Root(), Chain(1200) + Folder(1100, "Back", 5000) + Folder(999, "Up", 5001));
    EXPECT_EQ(report.placedAtDepthLimit, 201);
    EXPECT_EQ(Named(tree, "Back")->Depth(), MaxTreeDepth);
    EXPECT_EQ(Named(tree, "Up")->Parent(), Named(tree, "N998"));
}

TEST(DeepFiles, NewItemsAtTheLimitStayThere)
{
    ItemTree tree;
    Read(tree.Root(), Chain(MaxTreeDepth));
    TreeNode& deepest = *Named(tree, "N1000");
    TKPXObject* folder = CreateItem(KindFolder, "New", "", "", deepest, "", 0);
    EXPECT_EQ(folder->GetTreeNode()->Depth(), MaxTreeDepth);
    EXPECT_EQ(folder->GetTreeNode()->Parent(), deepest.Parent());
    TKPXObject* phone = CreateItem(KindPhone, "Phone", "1", "", deepest, "", 0);
    EXPECT_EQ(phone->GetTreeNode(), &deepest);
}

TEST(DeepFiles, MovesThatWouldPassTheLimitAreRefused)
{
    ItemTree tree;
    Read(tree.Root(), Chain(MaxTreeDepth - 1) + Folder(1, "F", 5000) + Folder(2, "G", 5001) + Folder(3, "H", 5002));
    TreeNode& deep = *Named(tree, "N999");
    TreeNode& f = *Named(tree, "F");
    TreeNode& g = *Named(tree, "G");

    EXPECT_TRUE(DropPassesDepthLimit(f, deep));
    EXPECT_FALSE(DropNode(f, deep));
    EXPECT_EQ(f.Parent(), &tree.Root());
    EXPECT_EQ(DropEntries(tree.Root(), {f.Data()}, deep), 1);
    EXPECT_EQ(f.Parent(), &tree.Root());

    EXPECT_FALSE(DropNode(g, deep)); // G and H would reach 1001
    TreeNode& h = *Named(tree, "H");
    EXPECT_FALSE(DropPassesDepthLimit(h, deep));
    EXPECT_TRUE(DropNode(h, deep));
    EXPECT_EQ(h.Depth(), MaxTreeDepth);
    EXPECT_EQ(DropEntries(f, {g.Data()}, deep), 0);
    EXPECT_EQ(g.Depth(), MaxTreeDepth);
    EXPECT_FALSE(DropPassesDepthLimit(*Named(tree, "N1"), deep)); // into its own subtree: refused for another reason
}

TEST(DeepFiles, PastesAndImportsSayWhatWasPlaced)
{
    TempDir dir;
    ItemTree tree;
    TreeNode& holder = *CreateItem(KindFolder, "Holder", "", "", tree.Root(), "", 1)->GetTreeNode();
    ReadReport pasted;
    ASSERT_TRUE(PasteRecords(holder, Chain(1005), dir / "clipdata.dat", &pasted));
    EXPECT_EQ(pasted.placedAtDepthLimit, 6); // the holder stands at 1, so N1000 would stand at 1001
    EXPECT_EQ(DeepestDepth(tree), MaxTreeDepth);

    WriteWhole(dir / "deep.zkd", Chain(1003));
    ItemTree other;
    const auto counts = ImportItemFile(other.Root(), dir / "deep.zkd");
    ASSERT_TRUE(counts.has_value());
    EXPECT_EQ(counts->placedAtDepthLimit, 3);
    EXPECT_NE(ImportSummary(*counts).find("3 records lay deeper than 1000 levels and were placed at level 1000."),
              std::string::npos)
        << ImportSummary(*counts);
}

// Limits keep real trees shallow; still nothing in core may need a stack frame per level.
TEST(DeepTrees, NothingWalksTheTreeByRecursion)
{
    TempDir dir;
    constexpr int Levels = 100000;
    auto tree = std::make_unique<ItemTree>();
    std::size_t savedSize = 0;
    std::size_t copiedSize = 0;
    bool found = false;
    bool foundById = false;
    int height = 0;
    OnSmallStack([&] {
        TreeNode& deepest = BuildChainUnchecked(*tree, Levels);
        savedSize = SavedTree(*tree).size();
        copiedSize = CopyEntryRecords({tree->Root().FirstChild()->Data()}).size() +
                     CopyNodeRecords(*tree->Root().FirstChild()).size();
        found = FindNodeByPath(tree->Root(), NodePath(deepest)) == &deepest;
        SortEveryNode(*tree);
        height = SubtreeHeight(tree->Root());
        PublishSettings site;
        site.mainFile = dir / "index.htm";
        site.includeVCards = false;
        PublishHTML(*tree->Root().FirstChild(), site);
        {
            FakeHost window(*tree);
            TZelkApp cursor(*tree, window);
            foundById = cursor.ItemWithId(Levels) && cursor.zelkTitle() == "N" + std::to_string(Levels) &&
                        cursor.ItemWithId(1) && cursor.NextItemWithTitle("N" + std::to_string(Levels)) &&
                        cursor.zelkID() == Levels;
        }
        tree->DeleteNode(*tree->NodeAt(Levels / 2));
        tree.reset();
    });
    EXPECT_GT(savedSize, static_cast<std::size_t>(Levels) * 20);
    EXPECT_GT(copiedSize, savedSize);
    EXPECT_TRUE(found);
    EXPECT_TRUE(foundById);
    EXPECT_EQ(height, Levels);
    EXPECT_TRUE(fs::exists(dir / "zelkmain.zkd"));
    EXPECT_FALSE(tree);
}
