// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/list_fill.h"

#include "model/category_filter.h"
#include "model/tree_node.h"
#include "model/tree_order.h"

#include <algorithm>

namespace quillary {

std::vector<ListRow> FillFolderList(const TreeNode* node)
{
    std::vector<ListRow> rows;
    if (!node)
        return rows;
    rows.reserve(static_cast<std::size_t>(node->ChildCount()));
    for (int i = 0; i < node->ChildCount(); ++i) {
        const TreeNode& child = *node->ChildAt(i);
        if (child.Data() && !IsFilteredOut(*child.Data()))
            rows.push_back({child.Data(), child.Data()->GetImageIndex(), child.StateIndex()});
    }
    if (node->Data()) {
        std::vector<ListRow> details = node->Data()->FillList();
        rows.insert(rows.end(), details.begin(), details.end());
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ListRow& a, const ListRow& b) { return FoldersCompare(a.item, b.item) < 0; });
    return rows;
}

std::string FolderPathTip(const TreeNode& node)
{
    constexpr std::size_t MaxTip = 62;
    std::string path = node.Text();
    for (const TreeNode* up = node.Parent(); up; up = up->Parent())
        path = up->Text() + "/" + path;
    path = "[" + path + "]";
    if (path.size() > MaxTip)
        path.resize(MaxTip);
    return path;
}

} // namespace quillary
