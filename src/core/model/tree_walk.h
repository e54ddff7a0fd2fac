// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree_node.h"

#include <vector>

namespace quillary {

// Visits start and its descendants in depth-first order, each before its children, without
// recursion (trees may be nested very deep).
template <typename F> void ForEachInSubtree(TreeNode& start, F&& visit)
{
    std::vector<TreeNode*> stack{&start};
    while (!stack.empty()) {
        TreeNode* node = stack.back();
        stack.pop_back();
        visit(*node);
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            stack.push_back(node->ChildAt(i));
    }
}

} // namespace quillary
