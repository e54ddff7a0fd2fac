// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes, read as delimited text rows of every record type with all its fields: protecting
// and splitting a row must keep every field (an unquoted row's commas are exactly its
// separators), the import must count each non-blank line once, and the items made must export
// again.
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
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
    return 0;
}
