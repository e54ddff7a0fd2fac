// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/import_undo.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"

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
    m_details.reserve(static_cast<std::size_t>(tree.NodeCount()));
    for (int i = 0; i < tree.NodeCount(); ++i) {
        const TreeNode* node = tree.NodeAt(i);
        m_details.emplace(node, DetailCount(*node));
    }
}

void ImportUndo::Undo()
{
    TreeUpdateGuard guard(m_tree);
    // Details are appended, so those beyond the remembered count are the new ones. Of the new
    // nodes only the topmost are deleted; their subtrees go with them.
    std::vector<TreeNode*> added;
    for (int i = 0; i < m_tree.NodeCount(); ++i) {
        TreeNode* node = m_tree.NodeAt(i);
        const auto known = m_details.find(node);
        if (known == m_details.end()) {
            if (m_details.count(node->Parent()) != 0)
                added.push_back(node);
            continue;
        }
        if (TKPXObject* item = node->Data())
            while (item->ChildCount() > known->second)
                item->DeleteChild(item->ChildAt(item->ChildCount() - 1));
    }
    for (TreeNode* node : added)
        m_tree.DeleteNode(*node);
}

} // namespace quillary
