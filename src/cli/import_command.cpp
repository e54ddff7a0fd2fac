// SPDX-License-Identifier: GPL-3.0-or-later
// import: brings another file's items into the data file and writes it back.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"
#include "record_kind_option.h"

#include "common/text_excerpt.h"
#include "places/app_places.h"
#include "shell/import_request.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"

#include <map>

namespace quillary::cli {

namespace {
// --format's names. The browser and nickname sources are the pages and files themselves.
const std::map<std::string, ImportFormat>& Formats()
{
    static const std::map<std::string, ImportFormat> formats = {{"zkd", ImportFormat::ItemFile},
                                                                {"csv", ImportFormat::DelimitedText},
                                                                {"vcf", ImportFormat::VCard},
                                                                {"bookmarks", ImportFormat::Bookmarks},
                                                                {"addresses", ImportFormat::AddressBook},
                                                                {"nicknames", ImportFormat::Nicknames},
                                                                {"favorites", ImportFormat::Favorites}};
    return formats;
}

template <typename Choice>
std::optional<Choice> ChoiceNamed(const std::map<std::string, Choice>& choices, const std::string& name)
{
    const auto it = choices.find(name);
    return it == choices.end() ? std::nullopt : std::optional<Choice>(it->second);
}

// The delimited-text options: --kind and --fields (none named: the core's rule, see
// TextImportSettings), --header, --separator (--tab for short) and --encoding.
std::optional<CsvImportSettings> CsvSettingsOf(const CliOptions& options, std::ostream& err)
{
    const auto columns = RecordColumnsOf(options, err);
    if (!columns)
        return std::nullopt;
    CsvImportSettings settings;
    settings.kind = columns->kind;
    if (options.Value("--fields"))
        settings.fields = columns->fields;
    settings.tabSeparated = options.Has("--tab");
    settings.headerLine = options.Has("--header");
    static const std::map<std::string, CsvSeparator> separators = {{"auto", CsvSeparator::Auto},
                                                                   {"comma", CsvSeparator::Comma},
                                                                   {"semicolon", CsvSeparator::Semicolon},
                                                                   {"tab", CsvSeparator::Tab}};
    static const std::map<std::string, TextEncoding> encodings = {{"auto", TextEncoding::Auto},
                                                                  {"utf8", TextEncoding::Utf8},
                                                                  {"utf16", TextEncoding::Utf16},
                                                                  {"cp1252", TextEncoding::Cp1252}};
    const auto separator = ChoiceNamed(separators, options.ValueOr("--separator", "auto"));
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
    const auto format = ChoiceNamed(Formats(), options->ValueOr("--format", ""));
    if (!format || options->Plain().size() != 1) {
        err << "quillary-cli: import needs --format zkd|csv|vcf|bookmarks|addresses|nicknames|favorites and one "
               "SOURCE\n";
        return ExitUsage;
    }
    ImportRequest request;
    request.format = *format;
    request.source = options->Plain().front();
    if (request.format == ImportFormat::DelimitedText) {
        const auto settings = CsvSettingsOf(*options, err);
        if (!settings)
            return ExitUsage;
        request.csv = *settings;
    }
    const std::string orgCards = options->ValueOr("--org-cards", "person");
    if (orgCards != "person" && orgCards != "organization") {
        err << "quillary-cli: --org-cards takes organization or person\n";
        return ExitUsage;
    }
    FixedOrgCardAnswer answer(orgCards == "organization");
    request.orgCards = &answer;
    int status = ExitOk;
    auto opened = DataSession::OpenAtNode(*options, DataSession::Access::Change, "--into", err, status);
    if (!opened)
        return status;
    DataSession& session = opened->session;
    request.destination = opened->node;
    // The desktop program's settings, wherever the data file is: category names come from there.
    if (request.format == ImportFormat::VCard)
        request.categories = ReadCategoryNames(TProfileFile(SettingsFile()));
    // A failed import takes back what it made, and the data file is not written.
    const ImportResult result = RunImport(request);
    if (result.Failed()) {
        err << "quillary-cli: " << result.failure << "\n"
            << "quillary-cli: nothing imported from " << request.source.string() << "\n";
        return ExitFileError;
    }
    if (!session.Save(err))
        return ExitFileError;
    const ImportCounts& counts = result.counts;
    out << "items made: " << counts.made << "\n"
        << "rejected: " << counts.rejected << "\n"
        << ImportSummary(counts) << "\n";
    if (!counts.ignoredColumns.empty())
        out << "ignored columns: " << ListExcerpt(counts.ignoredColumns) << "\n";
    return ExitOk;
}

} // namespace quillary::cli
