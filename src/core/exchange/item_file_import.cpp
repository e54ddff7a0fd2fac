// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/item_file_import.h"

#include "model/data_file.h"
#include "model/kpx_object.h"
#include "model/tree_node.h"

#include <set>
#include <string>

namespace quillary {

std::optional<ImportCounts> ImportItemFile(TreeNode& into, const std::filesystem::path& file)
{
    std::set<const TreeNode*> before;
    for (int i = 0; i < into.ChildCount(); ++i)
        before.insert(into.ChildAt(i));
    ReadReport report;
    if (!LoadItemFile(into, file, &report))
        return std::nullopt;
    ImportCounts counts;
    for (int i = 0; i < into.ChildCount(); ++i)
        if (!before.contains(into.ChildAt(i)))
            counts.CountMade(into.ChildAt(i)->Data()->GetKind());
    counts.placedAtDepthLimit = report.placedAtDepthLimit;
    for (const int line : report.skippedLines)
        counts.CountRejected("line " + std::to_string(line) + ": a damaged record");
    return counts;
}

} // namespace quillary
