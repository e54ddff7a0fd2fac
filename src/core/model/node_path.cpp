// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/node_path.h"

#include "model/tree_node.h"

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
// rest is the path from node's own title on.
TreeNode* FindBelow(TreeNode& node, std::string_view rest)
{
    const std::string& title = node.Text();
    if (rest.substr(0, title.size()) != title)
        return nullptr;
    if (rest.size() == title.size())
        return &node;
    if (rest[title.size()] != '/')
        return nullptr;
    rest.remove_prefix(title.size() + 1);
    for (int i = 0; i < node.ChildCount(); ++i)
        if (TreeNode* found = FindBelow(*node.ChildAt(i), rest))
            return found;
    return nullptr;
}
} // namespace

TreeNode* FindNodeByPath(TreeNode& root, std::string_view path)
{
    return FindBelow(root, path);
}

} // namespace quillary
