// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_node.h"
#include "reports/report_sources.h"

namespace quillary {

NodeRange RangeOf(const TreeNode& node)
{
    const TreeNode* last = &node;
    while (last->HasChildren())
        last = last->LastChild();
    return {node.AbsoluteIndex(), last->AbsoluteIndex()};
}

} // namespace quillary
