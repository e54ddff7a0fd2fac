// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_import.h"

#include "common/ascii_case.h"
#include "common/field_limits.h"
#include "common/text_line_reader.h"
#include "exchange/csv_party_columns.h"
#include "exchange/csv_party_row.h"
#include "exchange/csv_repeated_fields.h"
#include "exchange/csv_row_reason.h"
#include "exchange/csv_rows.h"
#include "model/create_item.h"
#include "model/field_record.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>

namespace quillary {

namespace {
// The file's text decoded, with the encoding and separator resolved.
struct CsvText
{
    std::string text;
    TextEncoding encoding;
    CsvSeparator separator;
};

CsvText ReadCsvText(std::istream& in, const CsvImportSettings& settings)
{
    CsvText read{{}, settings.encoding, settings.tabSeparated ? CsvSeparator::Tab : settings.separator};
    read.text = TakeDecodedText(ReadStreamBytes(in), read.encoding);
    if (read.separator == CsvSeparator::Auto)
        read.separator = DetectCsvSeparator(read.text);
    return read;
}

std::string RowLabel(std::size_t line)
{
    return "row " + std::to_string(line) + ": ";
}

bool Overfull(const std::vector<std::string>& values)
{
    return values.size() > MaxFieldsPerRow;
}

// Refuses a row of more fields than a row may have.
bool RefusedOverfull(const std::vector<std::string>& values, std::size_t line, ImportCounts& counts)
{
    if (Overfull(values))
        counts.CountRejected(RowLabel(line) + TooManyFieldsReason());
    return Overfull(values);
}

// The item the row makes, or none when the row is refused.
TKPXObject* ImportRow(FieldRecord record, std::size_t line, TreeNode& destination, int kind, ImportCounts& counts)
{
    // A person or organization keeps the rest of its row; only its website stays out.
    const std::string websiteProblem = WebsiteProblem(record);
    TKPXObject* item = CreateItem(kind, "New", "", "", destination, "", 0);
    if (item->ReadFields(record)) {
        counts.CountMade(item->GetKind());
        if (!websiteProblem.empty())
            counts.NoteLeftOut(RowLabel(line) + "website left out: " + websiteProblem);
        return item;
    }
    DestroyItem(*item);
    counts.CountRejected(RowLabel(line) + RejectedRowReason(kind, record));
    return nullptr;
}

// A person takes its title, and its primary details theirs, from the "Title" column. Files rarely
// have one: an empty one in front lets the person be titled by its names, where it would otherwise
// stay "New" with primary slots that name no detail.
bool LacksTitle(const CsvImportSettings& settings)
{
    return settings.kind == KindPerson && std::none_of(settings.fields.begin(), settings.fields.end(),
                                                       [](const std::string& f) { return EqualsNoCase(f, "Title"); });
}

ImportCounts ImportLines(const CsvText& read, TreeNode& destination, const CsvImportSettings& settings,
                         const ProgressFn& progress)
{
    std::istringstream in(read.text);
    std::vector<std::string> lines = ReadTextLines(in);
    const bool addTitle = LacksTitle(settings);
    std::vector<std::string> fields = settings.fields;
    if (addTitle)
        fields.insert(fields.begin(), "Title");
    const CsvRepeatedFields repeated(fields);
    ImportCounts counts;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (progress && i % 256 == 0 && !progress(i, lines.size()))
            break;
        if (lines[i].empty())
            continue;
        // Each line is a row; a value is split only at the separator.
        std::vector<std::string> values = SplitCsvLine(lines[i], SeparatorChar(read.separator));
        if (RefusedOverfull(values, i + 1, counts))
            continue;
        if (addTitle)
            values.insert(values.begin(), std::string());
        repeated.Merge(values);
        ImportRow({fields, std::move(values)}, i + 1, destination, settings.kind, counts);
    }
    return counts;
}

// A person's or organization's row: the item from its own columns, then a detail of each column
// group and a reminder of each date.
void ImportPartyRow(CsvRow& row, const CsvPartyColumns& columns, const CsvRepeatedFields& repeated,
                    TreeNode& destination, int kind, ImportCounts& counts)
{
    std::vector<CsvDetail> details = columns.Details(row.values);
    const std::vector<CsvDate> dates = columns.Dates(row.values);
    columns.KeepOwnValues(row.values);
    repeated.Merge(row.values);
    auto* party = static_cast<TPartyObject*>(
        ImportRow({columns.OwnFields(), std::move(row.values)}, row.line, destination, kind, counts));
    if (!party)
        return;
    AddCsvDetails(*party, std::move(details), RowLabel(row.line), counts);
    AddCsvDates(*party, dates, RowLabel(row.line), counts);
}

// A row of another kind: one item, each field taking the first value of several columns.
void ImportDetailRow(CsvRow& row, const std::vector<std::string>& fields, const CsvRepeatedFields& repeated,
                     TreeNode& destination, int kind, ImportCounts& counts)
{
    for (std::string& value : row.values)
        KeepFirstJoinedValue(value);
    // Columns a short row leaves out are empty.
    if (row.values.size() < fields.size())
        row.values.resize(fields.size());
    repeated.Merge(row.values);
    ImportRow({fields, std::move(row.values)}, row.line, destination, kind, counts);
}

// Rows are made into items as they are read, so the file is never held as rows; the header's
// mapping is found once, and the columns it ignores are reported from it.
ImportCounts ImportRows(const CsvText& read, TreeNode& destination, const CsvImportSettings& settings,
                        const ProgressFn& progress)
{
    CsvRowReader reader(read.text, SeparatorChar(read.separator));
    CsvRow header;
    ImportCounts counts;
    if (!reader.NextNonBlank(header))
        return counts;
    if (Overfull(header.values)) {
        counts.CountRejected(RowLabel(header.line) + "the first line names " + TooManyFieldsReason() +
                             "; no row was read");
        return counts;
    }
    std::vector<std::string> fields = settings.fields;
    if (fields.empty()) {
        CsvHeaderMapping mapping = MapCsvHeader(header.values, settings.kind);
        fields = std::move(mapping.fields);
        counts.ignoredColumns = std::move(mapping.ignored);
    }
    const auto eachRow = [&](const std::function<void(CsvRow&)>& import) {
        CsvRow row;
        for (std::size_t i = 0; reader.NextNonBlank(row); ++i) {
            if (progress && i % 256 == 0 && !progress(reader.Position(), read.text.size()))
                break;
            if (!RefusedOverfull(row.values, row.line, counts))
                import(row);
        }
    };
    if (settings.kind == KindPerson || settings.kind == KindOrganization) {
        const CsvPartyColumns columns(header.values, fields, settings.kind);
        const CsvRepeatedFields repeated(columns.OwnFields());
        eachRow([&](CsvRow& row) { ImportPartyRow(row, columns, repeated, destination, settings.kind, counts); });
    } else {
        const CsvRepeatedFields repeated(fields);
        eachRow([&](CsvRow& row) { ImportDetailRow(row, fields, repeated, destination, settings.kind, counts); });
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
    // Only the first row is read: the rest of the file plays no part in the mapping.
    CsvRow first;
    if (CsvRowReader(read.text, SeparatorChar(read.separator)).NextNonBlank(first))
        preview.header = std::move(first.values);
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
