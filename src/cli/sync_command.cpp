// SPDX-License-Identifier: GPL-3.0-or-later
// sync: one run of the synchronisation of a node with a CardDAV address book.
#include "cli_commands.h"
#include "data_session.h"
#include "exchange_commands.h"
#include "sync_transport.h"

#include "common/file_error.h"
#include "common/process_secrets.h"
#include "dav/url_parts.h"
#include "model/data_file.h"
#include "places/app_places.h"
#include "shell/profile_file.h"
#include "shell/settings_keys.h"
#include "sync/card_categories.h"
#include "sync/sync_account_state.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <cstdlib>
#include <unistd.h>

namespace quillary::cli {

namespace {
// The data file first, then the state, as the engine asks; new category names go to the settings
// file the desktop program reads.
class FileStore final : public SyncStore
{
public:
    FileStore(ItemTree& tree, std::filesystem::path dataFile, std::filesystem::path stateFile)
        : m_tree(tree), m_dataFile(std::move(dataFile)), m_stateFile(std::move(stateFile))
    {
    }
    void SaveTree() override { SaveDataFile(m_tree, m_dataFile); }
    void SaveState(const SyncState& state) override { SaveSyncState(m_stateFile, state); }
    void SaveCategoryNames(const CategoryNames& names) override
    {
        TProfileFile settings(SettingsFile());
        CategoryNames current = ReadCategoryNames(settings);
        if (TakePlacedCategoryNames(current, names)) {
            WriteCategoryNames(settings, current);
            settings.Flush();
        }
    }

private:
    ItemTree& m_tree;
    std::filesystem::path m_dataFile;
    std::filesystem::path m_stateFile;
};

// The address and user: a user name written in the address is taken from it (when --user gives
// none) and the address kept without it; an address with a password is refused without showing
// it, so the password reaches neither the state nor the screen.
std::optional<std::string> AccountOf(const CliOptions& options, std::string& user, std::ostream& err)
{
    std::string url = *options.Value("--url");
    user = options.ValueOr("--user", "");
    const std::optional<UrlParts> parts = ParseUrl(url);
    if (!parts || !parts->hasUserInfo)
        return url;
    if (parts->hasPassword) {
        err << "quillary-cli: the address given with --url holds a password, which is never taken from an "
               "address; name the user with --user and the password's environment variable with --password-env\n";
        return std::nullopt;
    }
    if (user.empty())
        user = PercentDecoded(parts->user);
    return parts->WithoutUserInfo();
}

// The password from the variable --password-env names; without one, the connection asks the
// keyring for the user's password.
std::optional<SyncCredentials> CredentialsOf(const CliOptions& options, const std::string& user, std::ostream& err)
{
    SyncCredentials credentials{user, std::nullopt};
    const auto variable = options.Value("--password-env");
    if (!variable)
        return credentials;
    const char* password = std::getenv(variable->c_str());
    if (!password) {
        err << "quillary-cli: the environment variable " << *variable << " named by --password-env is not set\n";
        return std::nullopt;
    }
    credentials.password = password;
    return credentials;
}

int Report(const SyncReport& report, const SyncState& state, bool dryRun, std::ostream& out, std::ostream& err)
{
    const std::string& url = state.url;
    switch (report.outcome) {
    case SyncReport::Outcome::Failed:
        err << "quillary-cli: synchronisation with " << url << " failed: " << report.failure.message << "\n"
            << "done before that (and kept): " << report.SummaryLine() << "\n";
        return ExitFileError;
    case SyncReport::Outcome::MassDeleteRefused:
        err << "quillary-cli: this run would delete " << report.deletesHere.size() << " contacts here and "
            << report.deletesThere.size() << " on the server, more than half of one side (or all of it); nothing "
            << "was changed. Check the URL and the server, and run again with --allow-mass-delete if this is right.\n";
        for (const std::string& name : report.deletesHere)
            err << "  here: " << name << "\n";
        for (const std::string& name : report.deletesThere)
            err << "  on the server: " << name << "\n";
        return ExitMassDelete;
    case SyncReport::Outcome::Stopped: // the command line never asks a run to stop
    case SyncReport::Outcome::Done:
        break;
    }
    out << "address book: " << CanonicalCollectionUrl(state.bookUrl).value_or(state.bookUrl) << "\n"
        << report.SummaryLine() << "\n";
    if (dryRun)
        out << "dry run: nothing was sent or changed\n";
    return ExitOk;
}

int RunWith(DavTransport& transport, const CliOptions& options, const std::string& url, std::ostream& out,
            std::ostream& err)
{
    const bool dryRun = options.Has("--dry-run");
    int status = ExitOk;
    auto opened = DataSession::OpenAtNode(options, dryRun ? DataSession::Access::Read : DataSession::Access::Change,
                                          "--node", err, status);
    if (!opened)
        return status;
    const std::filesystem::path dataFile = DataFileOf(options);
    try {
        DavStatus found;
        const std::optional<std::filesystem::path> statePath = SyncStateOfBook(transport, dataFile, url, found);
        if (!statePath) {
            err << "quillary-cli: synchronisation with " << url << " failed: " << found.message << "\n";
            return ExitFileError;
        }
        std::string problem;
        std::optional<SyncState> state = StateForNode(*statePath, url, *opened->node, problem);
        if (!state) {
            err << "quillary-cli: " << problem << "\n";
            return ExitUsage;
        }
        FileStore store(opened->session.Tree(), dataFile, *statePath);
        SyncOptions sync;
        sync.dryRun = dryRun;
        sync.allowMassDelete = options.Has("--allow-mass-delete");
        sync.categories = ReadCategoryNames(TProfileFile(SettingsFile()));
        if (isatty(STDERR_FILENO))
            sync.progress = [&err](std::string_view text) { err << text << std::endl; };
        const SyncReport report = RunSync(transport, *state, *opened->node, store, sync);
        return Report(report, *state, dryRun, out, err);
    } catch (const FileError& error) {
        err << "quillary-cli: " << error.what() << "\n";
        return ExitFileError;
    }
}
} // namespace

int Sync(const std::vector<std::string>& words, std::ostream& out, std::ostream& err)
{
    // A run holds a password, from its environment or the keyring, until it ends.
    MarkProcessHoldingSecrets();
    const auto options = CliOptions::ParseOptionsOnly(words, {"--data", "--url", "--node", "--user", "--password-env"},
                                                      {"--allow-mass-delete", "--dry-run"}, err);
    if (!options)
        return ExitUsage;
    if (!options->Value("--url") || !options->Value("--node")) {
        err << "quillary-cli: sync needs --url URL and --node PATH\n";
        return ExitUsage;
    }
    std::string user;
    const std::optional<std::string> url = AccountOf(*options, user, err);
    if (!url)
        return ExitUsage;
    const auto credentials = CredentialsOf(*options, user, err);
    if (!credentials)
        return ExitUsage;
    std::string problem;
    const std::unique_ptr<SyncConnection> connection = ConnectForSync(*url, *credentials, problem);
    if (!connection) {
        err << "quillary-cli: " << problem << "\n";
        return ExitFileError;
    }
    return RunWith(connection->Transport(), *options, *url, out, err);
}

} // namespace quillary::cli
