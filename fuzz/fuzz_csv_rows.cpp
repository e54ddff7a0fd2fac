// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as delimited text rows of every record type with all its fields: protecting
// and splitting a row must keep every field (an unquoted row's commas are exactly its
// separators), the import must count each non-blank line once, and the items made must export
// again. Read with a header line, the text must decode to UTF-8, the first row's mapping must
// name only offered fields, each field of several columns must take its value from one of them,
// and every other non-blank row must be counted once with a reason for each rejection.
#include "exchange/csv_export.h"
#include "exchange/csv_header_map.h"
#include "exchange/csv_import.h"
#include "exchange/csv_repeated_fields.h"
#include "exchange/csv_rows.h"
#include "exchange/line_protection.h"
#include "exchange/record_types.h"
#include "model/item_tree.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

void CheckSplitting(const std::string& line)
{
    const auto values = quillary::SplitProtectedLine(line);
    // Without quotes and NUL bytes nothing but the commas separates fields.
    if (!line.empty() && line.find_first_of(std::string("\"\0", 2)) == std::string::npos &&
        values.size() != static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1)
        __builtin_trap();
}

void CheckImport(const std::string& bytes, const quillary::RecordType& type, bool tab)
{
    quillary::ItemTree tree;
    const quillary::CsvImportSettings settings{type.kind, {type.fields.begin(), type.fields.end()}, tab};
    std::istringstream in(bytes);
    const auto counts = quillary::ImportCSV(in, tree.Root(), settings);
    if (counts.made < 0 || counts.rejected < 0)
        __builtin_trap();
    std::ostringstream out;
    quillary::WriteCsvRows(tree.Root(), {settings.fields, type.kind, true}, out);
}

void CheckMapping(const std::vector<std::string>& header, const quillary::RecordType& type)
{
    const auto mapping = quillary::MapCsvHeader(header, type.kind);
    if (mapping.fields.size() != header.size() ||
        mapping.ignored.size() !=
            static_cast<std::size_t>(std::count(mapping.fields.begin(), mapping.fields.end(), "")))
        __builtin_trap();
    for (const std::string& field : mapping.fields)
        if (!field.empty() && !quillary::OffersField(type, field))
            __builtin_trap();
}

// A merged value is the column's own, empty, or the value of another column of the same field.
void CheckMerge(const std::vector<std::string>& fields, std::vector<std::string> values)
{
    const std::vector<std::string> original = values;
    quillary::CsvRepeatedFields(fields).Merge(values);
    if (values.size() != original.size())
        __builtin_trap();
    for (std::size_t i = 0; i < values.size() && i < fields.size(); ++i) {
        bool fromItsField = values[i] == original[i] || values[i].empty();
        for (std::size_t j = 0; j < original.size() && j < fields.size() && !fromItsField; ++j)
            fromItsField = fields[j] == fields[i] && original[j] == values[i];
        if (!fromItsField)
            __builtin_trap();
    }
}

void CheckHeaderImport(const std::string& bytes, const quillary::RecordType& type)
{
    const std::string text = quillary::DecodeText(bytes, quillary::TextEncoding::Auto);
    if (quillary::DetectTextEncoding(text) != quillary::TextEncoding::Utf8)
        __builtin_trap();
    auto rows = quillary::ReadCsvRows(text, quillary::SeparatorChar(quillary::DetectCsvSeparator(text)));
    std::erase_if(rows, [](const quillary::CsvRow& row) { return row.Blank(); });
    if (!rows.empty()) {
        CheckMapping(rows.front().values, type);
        const auto fields = quillary::MapCsvHeader(rows.front().values, type.kind).fields;
        for (std::size_t i = 1; i < rows.size(); ++i)
            CheckMerge(fields, rows[i].values);
    }

    quillary::ItemTree tree;
    quillary::CsvImportSettings settings{type.kind, {}};
    settings.headerLine = true;
    settings.separator = quillary::CsvSeparator::Auto;
    std::istringstream in(bytes);
    const auto counts = quillary::ImportCSV(in, tree.Root(), settings);
    const int expected = rows.empty() ? 0 : static_cast<int>(rows.size()) - 1;
    if (counts.made + counts.rejected != expected ||
        counts.reasons.size() != static_cast<std::size_t>(counts.rejected) || quillary::ImportSummary(counts).empty())
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto types = quillary::RecordTypes();
    const quillary::RecordType& type = types[data[0] % types.size()];
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::istringstream lines(bytes);
    for (std::string line; std::getline(lines, line);)
        CheckSplitting(line);
    CheckImport(bytes, type, (data[0] & 0x80) != 0);
    CheckHeaderImport(bytes, type);
    return 0;
}
