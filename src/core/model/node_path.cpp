// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/node_path.h"

#include "model/tree_node.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace quillary {

std::string NodePath(const TreeNode& node)
{
    std::vector<const TreeNode*> chain;
    for (const TreeNode* n = &node; n; n = n->Parent())
        chain.push_back(n);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty())
            path += '/';
        path += (*it)->Text();
    }
    return path;
}

namespace {
// The part of rest after node's own title and a "/", or none when rest does not go on through node.
std::optional<std::string_view> PastTitle(const TreeNode& node, std::string_view rest)
{
    const std::string& title = node.Text();
    if (rest.substr(0, title.size()) != title || (rest.size() > title.size() && rest[title.size()] != '/'))
        return std::nullopt;
    return rest.substr(std::min(rest.size(), title.size() + 1));
}
} // namespace

TreeNode* FindNodeByPath(TreeNode& root, std::string_view path)
{
    // Titles may hold "/" and one may begin another, so several children can match; they are
    // tried in order, depth first, with a stack of its own (trees may be nested very deep).
    std::vector<std::pair<TreeNode*, std::string_view>> pending{{&root, path}};
    while (!pending.empty()) {
        auto [node, rest] = pending.back();
        pending.pop_back();
        const std::string& title = node->Text();
        const auto below = PastTitle(*node, rest);
        if (!below)
            continue;
        if (rest.size() == title.size())
            return node;
        for (int i = node->ChildCount() - 1; i >= 0; --i)
            pending.emplace_back(node->ChildAt(i), *below);
    }
    return nullptr;
}

} // namespace quillary
