// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/range_items.h"

#include "model/item_tree.h"

namespace quillary {

const TKPXObject* ItemAt(const ItemTree& tree, int absoluteIndex)
{
    const TreeNode* node = tree.NodeAt(absoluteIndex);
    return node ? node->Data() : nullptr;
}

std::vector<const TKPXObject*> ItemsIn(const ItemTree& tree, NodeRange range)
{
    std::vector<const TKPXObject*> items;
    for (int index = range.first; index <= range.last; ++index)
        if (const TKPXObject* item = ItemAt(tree, index))
            items.push_back(item);
    return items;
}

} // namespace quillary
