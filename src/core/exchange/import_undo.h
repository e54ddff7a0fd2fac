// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unordered_map>

namespace quillary {

class ItemTree;
class TreeNode;

// Takes back an import that was cancelled or failed half way. It remembers every node of the
// tree and how many detail items each node's item held; Undo deletes the nodes made since
// (with everything below them) and the detail items appended since to the items that were
// there. Imports only add, so the tree is then as it was, apart from the order of siblings.
class ImportUndo
{
public:
    explicit ImportUndo(ItemTree& tree);
    void Undo();

private:
    ItemTree& m_tree;
    // The nodes before the import and their items' detail counts. A node that was there stays
    // alive during the import, so no new node can take its address.
    std::unordered_map<const TreeNode*, int> m_details;
};

} // namespace quillary
