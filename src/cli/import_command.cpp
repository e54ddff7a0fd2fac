// SPDX-License-Identifier: GPL-3.0-or-later
// import: brings another file's items into the data file and writes it back.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"
#include "record_kind_option.h"

#include "common/file_error.h"
#include "common/text_excerpt.h"
#include "exchange/bookmark_page.h"
#include "exchange/csv_import.h"
#include "exchange/favorites_import.h"
#include "exchange/item_file_import.h"
#include "exchange/nickname_file.h"
#include "exchange/vcard_import.h"
#include "model/data_file.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "places/app_places.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"
#include "shell/tree_commands.h"

#include <fstream>
#include <functional>
#include <map>

namespace quillary::cli {

namespace {
// Fails with a message when the source cannot be read.
using Reader = std::function<std::optional<ImportCounts>(const std::string& source, TreeNode& into, const CliOptions&,
                                                         std::ostream& err)>;

std::optional<ImportCounts> ReadRecords(const std::string& source, TreeNode& into, const CliOptions&, std::ostream& err)
{
    if (!IsItemFileName(source)) {
        err << "quillary-cli: " << source << " is no interchange file (.zkd)\n";
        return std::nullopt;
    }
    return ImportItemFile(into, source);
}

template <typename Choice>
std::optional<Choice> ChoiceNamed(const std::map<std::string, Choice>& choices, const std::string& name)
{
    const auto it = choices.find(name);
    return it == choices.end() ? std::nullopt : std::optional<Choice>(it->second);
}

// The delimited-text options: --kind and --fields, --header (the columns mapped from the first
// line unless --fields names them), --separator (--tab for short; auto with --header, else
// comma) and --encoding.
std::optional<CsvImportSettings> CsvSettingsOf(const CliOptions& options, std::ostream& err)
{
    const auto columns = RecordColumnsOf(options, err);
    if (!columns)
        return std::nullopt;
    CsvImportSettings settings{columns->kind, columns->fields, options.Has("--tab"), options.Has("--header")};
    if (settings.headerLine && !options.Value("--fields"))
        settings.fields.clear();
    static const std::map<std::string, CsvSeparator> separators = {{"auto", CsvSeparator::Auto},
                                                                   {"comma", CsvSeparator::Comma},
                                                                   {"semicolon", CsvSeparator::Semicolon},
                                                                   {"tab", CsvSeparator::Tab}};
    static const std::map<std::string, TextEncoding> encodings = {{"auto", TextEncoding::Auto},
                                                                  {"utf8", TextEncoding::Utf8},
                                                                  {"utf16", TextEncoding::Utf16},
                                                                  {"cp1252", TextEncoding::Cp1252}};
    const auto separator =
        ChoiceNamed(separators, options.ValueOr("--separator", settings.headerLine ? "auto" : "comma"));
    const auto encoding = ChoiceNamed(encodings, options.ValueOr("--encoding", "auto"));
    if (!separator || !encoding) {
        err << "quillary-cli: "
            << (separator ? "--encoding takes auto, utf8, utf16 or cp1252"
                          : "--separator takes auto, comma, semicolon or tab")
            << "\n";
        return std::nullopt;
    }
    settings.separator = *separator;
    settings.encoding = *encoding;
    return settings;
}

std::optional<ImportCounts> ReadCsv(const std::string& source, TreeNode& into, const CliOptions& options,
                                    std::ostream& err)
{
    const auto settings = CsvSettingsOf(options, err);
    if (!settings)
        return std::nullopt;
    return ImportCSVFile(source, into, *settings);
}

// The answer to "How should this vCard be imported?" for every card that names an organization.
class FixedOrgCardAnswer final : public OrgCardQuestion
{
public:
    explicit FixedOrgCardAnswer(bool asOrganization) : m_asOrganization(asOrganization) {}
    bool ImportAsOrganization(const std::string&, const std::string&) override { return m_asOrganization; }

private:
    bool m_asOrganization;
};

std::optional<ImportCounts> ReadCards(const std::string& source, TreeNode& into, const CliOptions& options,
                                      std::ostream&)
{
    FixedOrgCardAnswer answer(options.ValueOr("--org-cards", "person") == "organization");
    // The desktop program's settings, wherever the data file is: category names come from there.
    const TProfileFile settings(SettingsFile());
    return ImportVCardFile(source, into, answer, {}, ReadCategoryNames(settings));
}

// The browser and nickname sources are read from the named file itself.
template <ImportCounts (*Import)(std::istream&, TreeNode&)>
std::optional<ImportCounts> ReadSource(const std::string& source, TreeNode& into, const CliOptions&, std::ostream& err)
{
    std::ifstream in(source, std::ios::binary);
    if (!in || std::filesystem::is_directory(source)) {
        err << "quillary-cli: cannot read " << source << "\n";
        return std::nullopt;
    }
    return Import(in, into);
}

std::optional<ImportCounts> ReadFavorites(const std::string& source, TreeNode& into, const CliOptions&,
                                          std::ostream& err)
{
    if (!std::filesystem::is_directory(source)) {
        err << "quillary-cli: " << source << " is no folder\n";
        return std::nullopt;
    }
    return ImportFavorites(source, into);
}

const std::map<std::string, Reader>& Readers()
{
    static const std::map<std::string, Reader> readers = {{"zkd", ReadRecords},
                                                          {"csv", ReadCsv},
                                                          {"vcf", ReadCards},
                                                          {"bookmarks", ReadSource<ImportNSBook>},
                                                          {"addresses", ReadSource<ImportNSAddr>},
                                                          {"nicknames", ReadSource<ImportEudora>},
                                                          {"favorites", ReadFavorites}};
    return readers;
}

std::optional<ImportCounts> RunReader(const Reader& reader, const std::string& source, TreeNode& into,
                                      const CliOptions& options, std::ostream& err)
{
    try {
        TreeUpdateGuard update(into.Tree());
        return reader(source, into, options, err);
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return std::nullopt;
    }
}
} // namespace

int Import(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    std::string problem;
    const auto options = CliOptions::Parse(
        words, {"--data", "--format", "--into", "--kind", "--fields", "--org-cards", "--separator", "--encoding"},
        {"--tab", "--header"}, problem);
    if (!options) {
        err << "quillary-cli: " << problem << "\n";
        return ExitUsage;
    }
    const auto reader = Readers().find(options->ValueOr("--format", ""));
    if (reader == Readers().end() || options->Plain().size() != 1) {
        err << "quillary-cli: import needs --format zkd|csv|vcf|bookmarks|addresses|nicknames|favorites and one "
               "SOURCE\n";
        return ExitUsage;
    }
    const std::string& source = options->Plain().front();
    if (reader->first == "csv" && !CsvSettingsOf(*options, err))
        return ExitUsage;
    const std::string orgCards = options->ValueOr("--org-cards", "person");
    if (orgCards != "person" && orgCards != "organization") {
        err << "quillary-cli: --org-cards takes organization or person\n";
        return ExitUsage;
    }
    int status = ExitOk;
    auto opened = DataSession::OpenAtNode(*options, DataSession::Access::Change, "--into", err, status);
    if (!opened)
        return status;
    DataSession& session = opened->session;
    const auto counts = RunReader(reader->second, source, *opened->node, *options, err);
    if (!counts) {
        err << "quillary-cli: nothing imported from " << source << "\n";
        return ExitFileError;
    }
    SortEveryNode(session.Tree());
    if (!session.Save(err))
        return ExitFileError;
    out << "items made: " << counts->made << "\n"
        << "rejected: " << counts->rejected << "\n"
        << ImportSummary(*counts) << "\n";
    if (!counts->ignoredColumns.empty())
        out << "ignored columns: " << ListExcerpt(counts->ignoredColumns) << "\n";
    return ExitOk;
}

} // namespace quillary::cli
