// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

class TreeNode;

// How the rows of a delimited text file are read: the kind each row becomes, the field name of
// each column in order, and whether tabs separate the fields instead of commas.
struct CsvImportSettings
{
    int kind = 0;
    std::vector<std::string> fields;
    bool tabSeparated = false;
};

// Makes one item of the settings' kind under destination per row; a row the item refuses leaves
// nothing behind and counts as rejected. Blank lines are skipped. Any line end is accepted.
ImportCounts ImportCSV(std::istream& in, TreeNode& destination, const CsvImportSettings& settings,
                       const ProgressFn& progress = {});
// The same from a file; none when the file cannot be opened.
std::optional<ImportCounts> ImportCSVFile(const std::filesystem::path& file, TreeNode& destination,
                                          const CsvImportSettings& settings, const ProgressFn& progress = {});

} // namespace quillary
