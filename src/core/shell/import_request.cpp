// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/import_request.h"

#include "common/file_error.h"
#include "exchange/bookmark_page.h"
#include "exchange/favorites_import.h"
#include "exchange/import_undo.h"
#include "exchange/item_file_import.h"
#include "exchange/nickname_file.h"
#include "exchange/record_types.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "shell/tree_commands.h"

#include <fstream>
#include <optional>
#include <system_error>

namespace quillary {

namespace {
bool IsFolder(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::is_directory(path, ignored);
}

std::string Unopened(const std::filesystem::path& file)
{
    return FileError(file, "The file could not be opened").what();
}

// A browser or nickname page: the file itself, or the one of its usual name in the folder.
template <ImportCounts (*FromPage)(std::istream&, TreeNode&),
          ImportCounts (*FromFolder)(const std::filesystem::path&, TreeNode&)>
std::optional<ImportCounts> ReadPage(const ImportRequest& request, std::string& failure)
{
    if (request.pageInFolder)
        return FromFolder(request.source, *request.destination);
    std::ifstream in(request.source, std::ios::binary);
    if (!in || IsFolder(request.source)) {
        failure = "cannot read " + request.source.string();
        return std::nullopt;
    }
    return FromPage(in, *request.destination);
}

// Reads the source beneath the destination. None, with the reason in failure, when the source
// cannot be read at all; throws FileError when reading fails once begun.
std::optional<ImportCounts> Read(const ImportRequest& request, const ProgressFn& progress, std::string& failure)
{
    const std::filesystem::path& source = request.source;
    TreeNode& into = *request.destination;
    std::optional<ImportCounts> counts;
    switch (request.format) {
    case ImportFormat::ItemFile:
        if (!IsItemFileName(source)) {
            failure = source.string() + " is no interchange file (.zkd)";
            return std::nullopt;
        }
        counts = ImportItemFile(into, source);
        break;
    case ImportFormat::Favorites:
        if (!IsFolder(source)) {
            failure = source.string() + " is no folder";
            return std::nullopt;
        }
        return ImportFavorites(source.string(), into);
    case ImportFormat::Bookmarks:
        return ReadPage<ImportNSBook, ImportNSBook>(request, failure);
    case ImportFormat::AddressBook:
        return ReadPage<ImportNSAddr, ImportNSAddr>(request, failure);
    case ImportFormat::Nicknames:
        return ReadPage<ImportEudora, ImportEudora>(request, failure);
    case ImportFormat::DelimitedText:
        counts = ImportCSVFile(source, into, TextImportSettings(request.csv), progress);
        break;
    case ImportFormat::VCard: {
        FixedOrgCardAnswer persons(false);
        return ImportVCardFile(source, into, request.orgCards ? *request.orgCards : persons, progress,
                               request.categories);
    }
    }
    if (!counts)
        failure = Unopened(source);
    return counts;
}
} // namespace

bool ReadsFolder(ImportFormat format, bool pageInFolder)
{
    switch (format) {
    case ImportFormat::Favorites:
        return true;
    case ImportFormat::Bookmarks:
    case ImportFormat::AddressBook:
    case ImportFormat::Nicknames:
        return pageInFolder;
    default:
        return false;
    }
}

bool ReportsProgress(ImportFormat format)
{
    return format == ImportFormat::DelimitedText || format == ImportFormat::VCard;
}

CsvImportSettings TextImportSettings(CsvImportSettings chosen)
{
    chosen.tabSeparated = chosen.tabSeparated || chosen.separator == CsvSeparator::Tab;
    if (!chosen.headerLine) {
        if (chosen.separator == CsvSeparator::Auto)
            chosen.separator = CsvSeparator::Comma;
        if (chosen.fields.empty())
            if (const RecordType* type = RecordTypeOfKind(chosen.kind))
                chosen.fields.assign(type->fields.begin(), type->fields.end());
    }
    return chosen;
}

ImportResult RunImport(const ImportRequest& request)
{
    ItemTree& tree = request.destination->Tree();
    ImportResult result;
    bool stopped = false;
    ProgressFn progress;
    if (request.progress)
        progress = [&](std::uint64_t done, std::uint64_t total) {
            stopped = stopped || !request.progress(done, total);
            return !stopped;
        };
    // One reset of the views for the import, the taking back and the sort together.
    TreeUpdateGuard update(tree);
    ImportUndo undo(tree);
    try {
        if (auto counts = Read(request, progress, result.failure))
            result.counts = std::move(*counts);
    } catch (const FileError& error) {
        result.failure = error.what();
    }
    result.cancelled = stopped && !result.Failed();
    if (result.cancelled || result.Failed()) {
        undo.Undo();
        result.counts = {};
    }
    SortEveryNode(tree);
    return result;
}

} // namespace quillary
