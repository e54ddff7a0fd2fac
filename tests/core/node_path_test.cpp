// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include "common/file_error.h"
#include "common/run_lock.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/node_path.h"

#include <gtest/gtest.h>

using namespace quillary;
using namespace quillary::test;

namespace {
TreeNode& Add(TreeNode& parent, std::string_view title)
{
    return *CreateItem(KindFolder, title, "", "", parent, "", 0)->GetTreeNode();
}
} // namespace

TEST(NodePath, NamesNodesFromTheRootAndFindsThemAgain)
{
    ItemTree tree;
    TreeNode& friends = Add(tree.Root(), "Friends");
    TreeNode& slashed = Add(friends, "A/B");
    TreeNode& plainA = Add(friends, "A");
    Add(plainA, "B");
    TreeNode& c = Add(slashed, "C");
    EXPECT_EQ(NodePath(tree.Root()), "My Contacts");
    EXPECT_EQ(NodePath(c), "My Contacts/Friends/A/B/C");
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts"), &tree.Root());
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/Friends"), &friends);
    // "A/B" reads both ways; tree order decides, and a longer path still finds the titled node.
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/Friends/A/B"), &slashed);
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/Friends/A/B/C"), &c);
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/Friends/A"), &plainA);
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/Friend"), nullptr);
    EXPECT_EQ(FindNodeByPath(tree.Root(), "Friends"), nullptr);
    EXPECT_EQ(FindNodeByPath(tree.Root(), "My Contacts/"), nullptr);
}

TEST(RunLock, OneHolderAtATimeWhateverTheNameOfTheFile)
{
    TempDir dir;
    const auto data = dir / "zelk.dat";
    auto first = RunLock::TryAcquire(data);
    ASSERT_TRUE(first);
    EXPECT_FALSE(RunLock::TryAcquire(*dir / "." / "zelk.dat"));
    {
        RunLock moved = std::move(*first);
        first.reset();
        EXPECT_FALSE(RunLock::TryAcquire(data)); // the lock went with the move
    }
    EXPECT_TRUE(RunLock::TryAcquire(data));
    EXPECT_THROW(RunLock::TryAcquire(dir / "no-such-folder" / "zelk.dat"), FileError);
}
