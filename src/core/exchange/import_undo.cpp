// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/import_undo.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace quillary {

namespace {
int DetailCount(const TreeNode& node)
{
    return node.Data() ? node.Data()->ChildCount() : 0;
}
} // namespace

ImportUndo::ImportUndo(ItemTree& tree) : m_tree(tree)
{
    // Walked rather than indexed, so no list of the whole tree's order is made for it; counted
    // first, so the list is made once at its size.
    std::size_t nodes = 0;
    ForEachInSubtree(tree.Root(), [&](const TreeNode&) { ++nodes; });
    m_known.reserve(nodes);
    ForEachInSubtree(tree.Root(), [&](const TreeNode& node) { m_known.push_back({&node, DetailCount(node)}); });
    std::sort(m_known.begin(), m_known.end(),
              [](const Known& a, const Known& b) { return std::less<const TreeNode*>()(a.node, b.node); });
}

const ImportUndo::Known* ImportUndo::Find(const TreeNode* node) const
{
    const auto at =
        std::lower_bound(m_known.begin(), m_known.end(), node, [](const Known& known, const TreeNode* sought) {
            return std::less<const TreeNode*>()(known.node, sought);
        });
    return at != m_known.end() && at->node == node ? &*at : nullptr;
}

void ImportUndo::Undo()
{
    TreeUpdateGuard guard(m_tree);
    // Details are appended, so those beyond the remembered count are the new ones. Of the new
    // nodes only the topmost are deleted; their subtrees go with them.
    std::vector<TreeNode*> added;
    ForEachInSubtree(m_tree.Root(), [&](TreeNode& node) {
        const Known* known = Find(&node);
        if (!known) {
            if (Find(node.Parent()))
                added.push_back(&node);
            return;
        }
        if (TKPXObject* item = node.Data())
            while (item->ChildCount() > known->details)
                item->DeleteChild(item->ChildAt(item->ChildCount() - 1));
    });
    for (TreeNode* node : added)
        m_tree.DeleteNode(*node);
}

} // namespace quillary
