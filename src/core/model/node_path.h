// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

class TreeNode;

// The titles from the root down to node joined by "/", as "My Contacts/Friends".
std::string NodePath(const TreeNode& node);

// The first node, in tree order, whose path is the given one; none when there is no such node.
// Titles may themselves hold "/": every way of reading the path is tried.
TreeNode* FindNodeByPath(TreeNode& root, std::string_view path);

} // namespace quillary
