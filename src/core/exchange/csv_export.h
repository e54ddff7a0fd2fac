// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace quillary {

class TreeNode;

// What a delimited text export writes: the chosen fields in column order, the kind of item each
// row stands for, and whether a first line names the columns.
struct CsvExportFields
{
    std::vector<std::string> fields;
    int kind = 0;
    bool header = true;
};

// Title,"First Name","Last Name",Comment: a name holding a blank, comma or quote is quoted.
std::string CsvHeaderLine(const std::vector<std::string>& fields);

// One row per item of the kind at or below start (items of the kind themselves, and the details
// of that kind of every other item); items the category filter hides are left out with their
// details. Lines end in CR LF. With field names, persons and organizations also carry every
// detail and date after the chosen columns (CsvExportDetails).
void WriteCsvRows(TreeNode& start, const CsvExportFields& columns, std::ostream& out);

// The delimited text mode of writing a subtree: the file is replaced only once complete.
void WriteSubtree(TreeNode& start, const std::filesystem::path& path, const CsvExportFields& columns);

} // namespace quillary
