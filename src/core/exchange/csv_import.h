// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/text_encoding.h"
#include "exchange/csv_header_map.h"
#include "exchange/csv_separator.h"
#include "exchange/import_counts.h"

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

class TreeNode;

// How the rows of a delimited text file are read: the kind each row becomes, the field name of
// each column in order (an empty name ignores its column; a name given to several columns takes
// the first value among them, see CsvRepeatedFields), the separator and the encoding.
struct CsvImportSettings
{
    int kind = 0;
    std::vector<std::string> fields;
    // Tabs separate the fields whatever separator says; for callers that offer comma and tab only.
    bool tabSeparated = false;
    // The first line names the columns and is no row. Rows are then read as today's programs
    // write them: a quoted field may span lines (an address keeps them as its lines, other fields
    // read each break as a blank). Persons and organizations take a detail from each group of
    // detail columns and reminders from date columns (CsvPartyColumns); of values Google Contacts
    // joins with " ::: ", each makes its detail, and other fields take the first. Without fields
    // the columns are mapped from the first line (MapCsvHeader).
    bool headerLine = false;
    CsvSeparator separator = CsvSeparator::Comma;
    TextEncoding encoding = TextEncoding::Auto;
};

// Makes one item of the settings' kind under destination per row; a row the item refuses leaves
// nothing behind and counts as rejected, with the reason as "row N: ..." where N is the file line
// the row starts on, and so does a row of more than MaxFieldsPerRow fields (a first line that
// long leaves no row to read). Blank lines are skipped. Any line end is accepted. Without the header
// line each line is a row, split only at the separator (SplitCsvLine: a quote opens a quoted value
// only as its first character; elsewhere it is an ordinary character). A person row without a
// "Title" column is titled from its names, and its primary details by their slots.
ImportCounts ImportCSV(std::istream& in, TreeNode& destination, const CsvImportSettings& settings,
                       const ProgressFn& progress = {});
// The same from a file; none when the file cannot be opened.
std::optional<ImportCounts> ImportCSVFile(const std::filesystem::path& file, TreeNode& destination,
                                          const CsvImportSettings& settings, const ProgressFn& progress = {});

// What the import would see in a file, for showing the column mapping before importing.
struct CsvPreview
{
    // As read: the settings' choice, or what was detected for Auto.
    TextEncoding encoding = TextEncoding::Utf8;
    CsvSeparator separator = CsvSeparator::Comma;
    // The values of the first non-blank line, and how they map onto the settings' kind. A line of
    // more than MaxFieldsPerRow values gives MaxFieldsPerRow + 1 of them (HeaderTooLong).
    std::vector<std::string> header;
    CsvHeaderMapping mapping;
};
CsvPreview PreviewCSV(std::istream& in, const CsvImportSettings& settings);
// Whether the first line names more columns than a row may have; no row can be read then.
bool HeaderTooLong(const CsvPreview& preview);
// The same from a file; none when the file cannot be opened.
std::optional<CsvPreview> PreviewCSVFile(const std::filesystem::path& file, const CsvImportSettings& settings);

} // namespace quillary
