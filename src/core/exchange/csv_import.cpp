// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_import.h"

#include "common/ascii_case.h"
#include "common/field_limits.h"
#include "common/text_line_reader.h"
#include "exchange/csv_repeated_fields.h"
#include "exchange/csv_row_reason.h"
#include "exchange/csv_rows.h"
#include "exchange/line_protection.h"
#include "model/create_item.h"
#include "model/field_record.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace quillary {

namespace {
constexpr std::string_view GoogleValueSeparator = " ::: ";

// The file's text decoded, with the encoding and separator resolved.
struct CsvText
{
    std::string text;
    TextEncoding encoding;
    CsvSeparator separator;
};

CsvText ReadCsvText(std::istream& in, const CsvImportSettings& settings)
{
    const std::string bytes = ReadStreamBytes(in);
    CsvText read{{}, settings.encoding, settings.tabSeparated ? CsvSeparator::Tab : settings.separator};
    if (read.encoding == TextEncoding::Auto)
        read.encoding = DetectTextEncoding(bytes);
    read.text = DecodeText(bytes, read.encoding);
    if (read.separator == CsvSeparator::Auto)
        read.separator = DetectCsvSeparator(read.text);
    return read;
}

void Remove(TKPXObject* item)
{
    if (IsTreeKind(item->GetKind()))
        item->Tree().DeleteNode(*item->GetTreeNode());
    else
        item->GetTreeNode()->Data()->DeleteChild(item);
}

std::string RowLabel(std::size_t line)
{
    return "row " + std::to_string(line) + ": ";
}

bool Overfull(const std::vector<std::string>& values)
{
    return values.size() > MaxFieldsPerRow;
}

void ImportRow(FieldRecord record, std::size_t line, TreeNode& destination, int kind, ImportCounts& counts)
{
    const std::string row = RowLabel(line);
    if (Overfull(record.values)) {
        counts.CountRejected(row + TooManyFieldsReason());
        return;
    }
    // A person or organization keeps the rest of its row; only its website stays out.
    const std::string websiteProblem = WebsiteProblem(record);
    TKPXObject* item = CreateItem(kind, "New", "", "", destination, "", 0);
    if (item->ReadFields(record)) {
        counts.CountMade(item->GetKind());
        if (!websiteProblem.empty())
            counts.NoteLeftOut(row + "website left out: " + websiteProblem);
        return;
    }
    Remove(item);
    counts.CountRejected(row + RejectedRowReason(kind, record));
}

std::vector<std::string> SplitLine(std::string line, CsvSeparator separator)
{
    if (separator == CsvSeparator::Semicolon)
        return SplitCsvLine(line, ';');
    if (separator == CsvSeparator::Tab)
        std::replace(line.begin(), line.end(), '\t', ',');
    return SplitProtectedLine(line);
}

ImportCounts ImportLines(const CsvText& read, TreeNode& destination, const CsvImportSettings& settings,
                         const ProgressFn& progress)
{
    std::istringstream in(read.text);
    std::vector<std::string> lines = ReadTextLines(in);
    const CsvRepeatedFields repeated(settings.fields);
    ImportCounts counts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (progress && i % 256 == 0 && !progress(i, lines.size()))
            break;
        if (lines[i].empty())
            continue;
        std::vector<std::string> values = SplitLine(std::move(lines[i]), read.separator);
        repeated.Merge(values);
        ImportRow({settings.fields, std::move(values)}, i + 1, destination, settings.kind, counts);
    }
    return counts;
}

std::vector<CsvRow> NonBlankRows(const CsvText& read)
{
    std::vector<CsvRow> rows = ReadCsvRows(read.text, SeparatorChar(read.separator));
    std::erase_if(rows, [](const CsvRow& row) { return row.Blank(); });
    return rows;
}

void KeepFirstValues(std::vector<std::string>& values)
{
    for (std::string& value : values)
        if (const auto end = value.find(GoogleValueSeparator); end != std::string::npos)
            value.erase(end);
}

// A person takes its title, and its primary details theirs, from the "Title" column. Exports of
// other programs rarely have one: an empty one lets the person be titled by its name, where it
// would otherwise stay "New" with primary slots that name no detail.
std::vector<std::string> FieldsOfRows(const std::vector<std::string>& header, const CsvImportSettings& settings)
{
    std::vector<std::string> fields =
        settings.fields.empty() ? MapCsvHeader(header, settings.kind).fields : settings.fields;
    const bool titled =
        std::any_of(fields.begin(), fields.end(), [](const std::string& f) { return EqualsNoCase(f, "Title"); });
    if (settings.kind == KindPerson && !titled)
        fields.emplace_back("Title");
    return fields;
}

ImportCounts ImportRows(const CsvText& read, TreeNode& destination, const CsvImportSettings& settings,
                        const ProgressFn& progress)
{
    std::vector<CsvRow> rows = NonBlankRows(read);
    ImportCounts counts;
    if (rows.empty())
        return counts;
    if (Overfull(rows.front().values)) {
        counts.CountRejected(RowLabel(rows.front().line) + "the first line names " + TooManyFieldsReason() +
                             "; no row was read");
        return counts;
    }
    const std::vector<std::string> fields = FieldsOfRows(rows.front().values, settings);
    const CsvRepeatedFields repeated(fields);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (progress && i % 256 == 1 && !progress(i - 1, rows.size() - 1))
            break;
        KeepFirstValues(rows[i].values);
        // Columns a short row leaves out are empty.
        if (rows[i].values.size() < fields.size())
            rows[i].values.resize(fields.size());
        repeated.Merge(rows[i].values);
        ImportRow({fields, std::move(rows[i].values)}, rows[i].line, destination, settings.kind, counts);
    }
    return counts;
}

template <typename Result>
std::optional<Result> FromFile(const std::filesystem::path& file, const std::function<Result(std::istream&)>& read)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    return read(in);
}
} // namespace

ImportCounts ImportCSV(std::istream& in, TreeNode& destination, const CsvImportSettings& settings,
                       const ProgressFn& progress)
{
    const CsvText read = ReadCsvText(in, settings);
    ItemTree& tree = destination.Tree();
    TreeUpdateGuard update(tree);
    DeferredSort sort(tree, destination);
    return settings.headerLine ? ImportRows(read, destination, settings, progress)
                               : ImportLines(read, destination, settings, progress);
}

std::optional<ImportCounts> ImportCSVFile(const std::filesystem::path& file, TreeNode& destination,
                                          const CsvImportSettings& settings, const ProgressFn& progress)
{
    return FromFile<ImportCounts>(file,
                                  [&](std::istream& in) { return ImportCSV(in, destination, settings, progress); });
}

CsvPreview PreviewCSV(std::istream& in, const CsvImportSettings& settings)
{
    const CsvText read = ReadCsvText(in, settings);
    CsvPreview preview{read.encoding, read.separator, {}, {}};
    const std::vector<CsvRow> rows = NonBlankRows(read);
    if (!rows.empty())
        preview.header = rows.front().values;
    preview.mapping = MapCsvHeader(preview.header, settings.kind);
    return preview;
}

bool HeaderTooLong(const CsvPreview& preview)
{
    return Overfull(preview.header);
}

std::optional<CsvPreview> PreviewCSVFile(const std::filesystem::path& file, const CsvImportSettings& settings)
{
    return FromFile<CsvPreview>(file, [&](std::istream& in) { return PreviewCSV(in, settings); });
}

} // namespace quillary
