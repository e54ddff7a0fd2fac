// SPDX-License-Identifier: GPL-3.0-or-later
// export: writes a subtree of the data file in one of the formats the program publishes.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"
#include "record_kind_option.h"

#include "common/file_error.h"
#include "exchange/csv_export.h"
#include "exchange/folder_vcards.h"
#include "exchange/html_publish.h"
#include "exchange/publish_choices.h"
#include "graphics/shipped_web_graphics.h"
#include "model/data_file.h"
#include "model/kpx_object.h"

#include <functional>
#include <map>

namespace quillary::cli {

namespace {
using Writer =
    std::function<int(TreeNode& node, const std::string& file, const CliOptions&, DataSession&, std::ostream&)>;

int WriteRecords(TreeNode& node, const std::string& file, const CliOptions&, DataSession&, std::ostream&)
{
    WriteSubtree(node, file);
    return ExitOk;
}

int WriteCsv(TreeNode& node, const std::string& file, const CliOptions& options, DataSession&, std::ostream& err)
{
    const auto columns = RecordColumnsOf(options, err);
    if (!columns)
        return ExitUsage;
    WriteSubtree(node, file, CsvExportFields{columns->fields, columns->kind, options.Has("--header")});
    return ExitOk;
}

// The --vcard-version option, 2.1 when absent; none, after a message, for another version.
std::optional<VCardVersion> VCardVersionOf(const CliOptions& options, std::ostream& err)
{
    const auto version = ParseVCardVersion(options.ValueOr("--vcard-version", "2.1"));
    if (!version)
        err << "quillary-cli: --vcard-version takes 2.1, 3.0 or 4.0\n";
    return version;
}

int WriteCard(TreeNode& node, const std::string& file, const CliOptions& options, DataSession&, std::ostream& err)
{
    const auto version = VCardVersionOf(options, err);
    if (!version)
        return ExitUsage;
    if (WriteVCardsFile(node, file, *version) > 0)
        return ExitOk;
    err << "quillary-cli: vCard publishing needs a Person or Organization item at or beneath the node; nothing "
           "was written.\n";
    return ExitUsage;
}

// The site's settings from the options, checked against what the publishing wizard offers.
std::optional<PublishSettings> SiteSettings(TreeNode& node, const std::string& file, const CliOptions& options,
                                            std::ostream& err)
{
    PublishSettings settings;
    settings.mainFile = file;
    settings.pageTitle = options.ValueOr("--title", node.Text());
    settings.frames = !options.Has("--no-frames");
    settings.includeItemFile = !options.Has("--no-zkd");
    settings.includeVCards = !options.Has("--no-vcards");
    const auto version = VCardVersionOf(options, err);
    if (!version)
        return std::nullopt;
    settings.vcardVersion = *version;
    settings.textColour = options.ValueOr("--text-color", settings.textColour);
    settings.linkColour = options.ValueOr("--link-color", settings.linkColour);
    const std::string levels = options.ValueOr("--levels", "0");
    if (levels.size() != 1 || levels[0] < '0' || levels[0] > '9') {
        err << "quillary-cli: --levels takes 0 (all levels) to 9\n";
        return std::nullopt;
    }
    settings.levels = levels[0] - '0';
    if (!IsColourName(settings.textColour) || !IsColourName(settings.linkColour)) {
        err << "quillary-cli: colours are";
        for (std::string_view colour : ColourNames())
            err << " " << colour;
        err << "\n";
        return std::nullopt;
    }
    const std::filesystem::path working = WorkingDirectoryOf(options);
    // As the desktop program does at its start: the shipped pictures the folder lacks are placed,
    // and the user's own are kept. Without them the site is still written, only without pictures.
    if (const std::string problem = InstallWebGraphics(working); !problem.empty())
        err << "quillary-cli: Web Graphics: " << problem << "\n";
    settings.iconsFolder = WebIconsFolder(working);
    if (const auto background = options.Value("--background")) {
        // A shipped background by name, or any picture file.
        settings.background = std::filesystem::exists(*background)
                                  ? std::optional<std::filesystem::path>(*background)
                                  : BackgroundFileFor(*background, WebBackgroundsFolder(working));
        if (!settings.background) {
            err << "quillary-cli: no background " << *background << " (a file, or a name from "
                << WebBackgroundsFolder(working).string() << ")\n";
            return std::nullopt;
        }
    }
    return settings;
}

int WriteSite(TreeNode& node, const std::string& file, const CliOptions& options, DataSession&, std::ostream& err)
{
    const auto settings = SiteSettings(node, file, options, err);
    if (!settings)
        return ExitUsage;
    PublishHTML(node, *settings);
    return ExitOk;
}

const std::map<std::string, Writer>& Writers()
{
    static const std::map<std::string, Writer> writers = {
        {"zkd", WriteRecords}, {"csv", WriteCsv}, {"vcf", WriteCard}, {"html", WriteSite}};
    return writers;
}
} // namespace

int Export(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    const auto options =
        CliOptions::ParseOptionsOnly(words,
                                     {"--data", "--format", "--node", "--out", "--kind", "--fields", "--levels",
                                      "--title", "--text-color", "--link-color", "--background", "--vcard-version"},
                                     {"--header", "--no-frames", "--no-zkd", "--no-vcards"}, err);
    if (!options)
        return ExitUsage;
    const auto writer = Writers().find(options->ValueOr("--format", ""));
    const auto file = options->Value("--out");
    if (writer == Writers().end() || !file) {
        err << "quillary-cli: export needs --format zkd|csv|vcf|html and --out FILE\n";
        return ExitUsage;
    }
    int status = ExitOk;
    auto opened = DataSession::OpenAtNode(*options, DataSession::Access::Read, "--node", err, status);
    if (!opened)
        return status;
    try {
        status = writer->second(*opened->node, *file, *options, opened->session, err);
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return ExitFileError;
    }
    if (status == ExitOk)
        out << "written " << *file << "\n";
    return status;
}

} // namespace quillary::cli
