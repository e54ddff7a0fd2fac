// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_import.h"

#include "common/text_line_reader.h"
#include "exchange/line_protection.h"
#include "model/create_item.h"
#include "model/field_record.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <fstream>

namespace quillary {

namespace {
void Remove(TKPXObject* item)
{
    if (IsTreeKind(item->GetKind()))
        item->Tree().DeleteNode(*item->GetTreeNode());
    else
        item->GetTreeNode()->Data()->DeleteChild(item);
}

bool ImportRow(std::string row, TreeNode& destination, const CsvImportSettings& settings)
{
    if (settings.tabSeparated)
        std::replace(row.begin(), row.end(), '\t', ',');
    FieldRecord record{settings.fields, SplitProtectedLine(row)};
    TKPXObject* item = CreateItem(settings.kind, "New", "", "", destination, "", 0);
    if (item->ReadFields(record))
        return true;
    Remove(item);
    return false;
}
} // namespace

ImportCounts ImportCSV(std::istream& in, TreeNode& destination, const CsvImportSettings& settings,
                       const ProgressFn& progress)
{
    std::vector<std::string> lines = ReadTextLines(in);
    ImportCounts counts;
    ItemTree& tree = destination.Tree();
    TreeUpdateGuard update(tree);
    DeferredSort sort(tree, destination);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (progress && i % 256 == 0 && !progress(i, lines.size()))
            break;
        if (lines[i].empty())
            continue;
        ++(ImportRow(std::move(lines[i]), destination, settings) ? counts.made : counts.rejected);
    }
    return counts;
}

std::optional<ImportCounts> ImportCSVFile(const std::filesystem::path& file, TreeNode& destination,
                                          const CsvImportSettings& settings, const ProgressFn& progress)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return ImportCSV(in, destination, settings, progress);
}

} // namespace quillary
