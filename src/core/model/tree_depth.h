// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

class TreeNode;

// The deepest a node may stand below the root (the root being 0). The folder tree's view lays
// out its nodes recursively: thousands of levels make it crawl and tens of thousands overflow
// its stack, while no address book comes near this. Reading, pasting and making items place
// anything deeper at this depth; moves that would go deeper are refused.
inline constexpr int MaxTreeDepth = 1000;

// How many levels the subtree of node reaches below it: 0 for a node without children.
int SubtreeHeight(const TreeNode& node);

// Whether node, with its subtree, may become a child of parent without passing MaxTreeDepth.
bool FitsUnder(const TreeNode& node, const TreeNode& parent);

// What a read, import or paste tells about records it placed at the depth limit.
std::string PlacedAtDepthLimitText(int placed);

// The node a new tree item under parent hangs from: parent itself, or its ancestor just above
// MaxTreeDepth when parent stands at that depth already.
TreeNode& HolderWithinDepth(TreeNode& parent);

} // namespace quillary
