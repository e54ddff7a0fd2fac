// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_depth.h"

#include "model/tree_node.h"
#include "model/tree_walk.h"

#include <algorithm>

namespace quillary {

int SubtreeHeight(const TreeNode& node)
{
    int deepest = node.Depth();
    ForEachInSubtree(const_cast<TreeNode&>(node), [&](TreeNode& n) { deepest = std::max(deepest, n.Depth()); });
    return deepest - node.Depth();
}

bool FitsUnder(const TreeNode& node, const TreeNode& parent)
{
    return parent.Depth() + 1 + SubtreeHeight(node) <= MaxTreeDepth;
}

std::string PlacedAtDepthLimitText(int placed)
{
    const std::string limit = std::to_string(MaxTreeDepth);
    return (placed == 1 ? std::string("1 record lay") : std::to_string(placed) + " records lay") + " deeper than " +
           limit + " levels and " + (placed == 1 ? "was" : "were") + " placed at level " + limit + ".";
}

TreeNode& HolderWithinDepth(TreeNode& parent)
{
    TreeNode* holder = &parent;
    while (holder->Depth() >= MaxTreeDepth && holder->Parent())
        holder = holder->Parent();
    return *holder;
}

} // namespace quillary
