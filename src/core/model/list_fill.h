// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/kpx_object.h"

#include <vector>

namespace quillary {

class TreeNode;

// The entries the item list shows for a selected node: its child nodes and then its detail
// items, each unless the category filter hides it, sorted folders first and then by title.
// No node gives no entries.
std::vector<ListRow> FillFolderList(const TreeNode* node);

// The selected folder's path for the tray tip: "[My Contacts/Clients/Acme]", cut to 62 characters.
std::string FolderPathTip(const TreeNode& node);

} // namespace quillary
