// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_export.h"

#include "common/atomic_file.h"
#include "common/comma_text.h"
#include "common/file_error.h"
#include "exchange/csv_export_details.h"
#include "model/category_filter.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

namespace quillary {

namespace {
std::string QuotedName(const std::string& name)
{
    if (name.find_first_of(" ,\"") == std::string::npos)
        return name;
    std::string quoted = "\"";
    for (const char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

void AppendRow(const TKPXObject& item, const std::vector<std::string>& fields, const CsvExportDetails& details,
               std::string& out)
{
    std::string row;
    for (const std::string& field : fields)
        row += item.GetFieldText(field);
    details.AppendValues(item, row);
    if (row.empty())
        return;
    row.pop_back(); // the comma after the last field
    if (row.empty())
        return;
    out += row;
    out += "\r\n";
}

void Flush(std::string& text, std::ostream& out)
{
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    text.clear();
    if (!out)
        throw FileError("", "Cannot write file");
}
} // namespace

std::string CsvHeaderLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (const std::string& field : fields) {
        if (!line.empty())
            line += ',';
        line += QuotedName(field);
    }
    return line;
}

void WriteCsvRows(TreeNode& start, const CsvExportFields& columns, std::ostream& out)
{
    constexpr std::size_t Chunk = 1 << 20;
    std::string text;
    const CsvExportDetails details(start, columns);
    if (columns.header) {
        std::vector<std::string> names = columns.fields;
        names.insert(names.end(), details.Names().begin(), details.Names().end());
        text += CsvHeaderLine(names) + "\r\n";
    }
    ForEachInSubtree(start, [&](TreeNode& node) {
        const TKPXObject& item = *node.Data();
        if (IsFilteredOut(item))
            return;
        if (item.GetKind() == columns.kind)
            AppendRow(item, columns.fields, details, text);
        else
            for (int i = 0; i < item.ChildCount(); ++i)
                if (item.ChildAt(i)->GetKind() == columns.kind)
                    AppendRow(*item.ChildAt(i), columns.fields, details, text);
        if (text.size() >= Chunk)
            Flush(text, out);
    });
    Flush(text, out);
}

void WriteSubtree(TreeNode& start, const std::filesystem::path& path, const CsvExportFields& columns)
{
    WriteFileAtomically(path, [&](std::ostream& out) { WriteCsvRows(start, columns, out); });
}

} // namespace quillary
