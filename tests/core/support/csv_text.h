// SPDX-License-Identifier: GPL-3.0-or-later
// Delimited text imported from a string, as a file's bytes would be.
#pragma once

#include "exchange/csv_import.h"
#include "model/item_tree.h"

#include <sstream>
#include <string>

namespace quillary::test {

inline ImportCounts ImportText(ItemTree& tree, const std::string& text, const CsvImportSettings& settings)
{
    std::istringstream in(text);
    return ImportCSV(in, tree.Root(), settings);
}

// The settings of an import whose first line names the columns, mapped from it unless fields
// are given; separator detected.
inline CsvImportSettings WithHeader(int kind, std::vector<std::string> fields = {})
{
    CsvImportSettings settings{kind, std::move(fields)};
    settings.headerLine = true;
    settings.separator = CsvSeparator::Auto;
    return settings;
}

} // namespace quillary::test
