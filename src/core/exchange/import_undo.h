// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

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
    // A node before the import and its item's detail count. A node that was there stays alive
    // during the import, so no new node can take its address.
    struct Known
    {
        const TreeNode* node;
        int details;
    };
    const Known* Find(const TreeNode* node) const;

    ItemTree& m_tree;
    // By address, for looking up: 16 bytes a node, so a command-line import into a large data
    // file holds little more than the tree itself.
    std::vector<Known> m_known;
};

} // namespace quillary
