// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillary {

class TKPXObject;
class TreeNode;

// The one way items are made and hung into the tree. Kinds 0 to 4 get a new last child node of
// parent (of its ancestor at MaxTreeDepth - 1 when parent stands at MaxTreeDepth: nothing goes
// deeper); detail kinds join the detail list of parent's item. A root record (kind 11) makes an
// item that belongs nowhere and is dropped at once: the result is then none. An identifier of 0
// draws a fresh one. The new node is not re-sorted here.
TKPXObject* CreateItem(int kind, std::string_view title, std::string_view target, std::string_view comment,
                       TreeNode& parent, std::string_view details, std::int32_t id);

// Takes an item made by CreateItem out of the tree again: a tree item with its node and everything
// beneath it, a detail item from its owner's detail list.
void DestroyItem(TKPXObject& item);

} // namespace quillary
