// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>

namespace quillary {

class ItemTree;
class TKPXObject;
class TreeNode;

// The item's record followed by a line end, then each detail child one level deeper.
void WriteItem(const TKPXObject& item, std::string& out, int level);

// Every node of the tree in depth-first order, the root included, each at its depth.
void WriteTreeRecords(const ItemTree& tree, std::ostream& out);

// The start node and its descendants as an interchange file: the start node at level 1, items
// hidden by the category filter left out (their child nodes are still visited), and each tree
// item's own categories written as 0.
void WriteSubtreeRecords(TreeNode& start, std::ostream& out);

} // namespace quillary
