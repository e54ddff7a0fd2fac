// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quillary {

class TKPXObject;
class TreeNode;

// The title a new item of a kind starts with ("New Folder", "New Person", ...), or empty for
// kinds the New commands do not make.
std::string_view NewItemTitle(int kind);

// The New commands: makes an item of the kind under the holder node and lets it edit itself
// (EditNew). A refused item is removed again: a tree item with its node, a detail item from the
// holder's details. Folders and teams are never refused (their label is edited in place). A
// new website's node takes the title the dialog gave it. Returns the item, or none when refused.
TKPXObject* NewItem(TreeNode& holder, int kind);

} // namespace quillary
