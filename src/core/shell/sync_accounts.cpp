// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/sync_accounts.h"

#include "shell/profile_file.h"

#include <algorithm>

namespace quillary {

namespace {
constexpr std::string_view Section = "Synchronization";

// The account's text fields by their key suffix.
struct TextField
{
    const char* suffix;
    std::string SyncAccount::*field;
};
constexpr TextField TextFields[] = {
    {"Name", &SyncAccount::name},         {"Server", &SyncAccount::serverUrl}, {"User", &SyncAccount::user},
    {"Node", &SyncAccount::nodePath},     {"Book", &SyncAccount::bookUrl},     {"Fingerprint", &SyncAccount::fingerprint},
    {"PasswordEnv", &SyncAccount::passwordEnv},
};

std::string Key(std::size_t number, const char* suffix)
{
    return "Account" + std::to_string(number) + suffix;
}
} // namespace

std::chrono::seconds SyncSettings::Interval() const
{
    if (intervalSeconds > 0)
        return std::chrono::seconds(intervalSeconds);
    return std::chrono::minutes(std::max(intervalMinutes, 0));
}

SyncSettings ReadSyncSettings(const TProfileFile& file)
{
    SyncSettings settings;
    settings.intervalMinutes = file.ReadInteger(Section, "Interval", settings.intervalMinutes);
    settings.intervalSeconds = file.ReadInteger(Section, "IntervalSeconds", 0);
    for (std::size_t number = 1;; ++number) {
        SyncAccount account;
        for (const TextField& text : TextFields)
            account.*text.field = file.ReadString(Section, Key(number, text.suffix), "");
        if (account.serverUrl.empty())
            return settings;
        account.allowInsecure = file.ReadInteger(Section, Key(number, "AllowInsecure"), 0) != 0;
        account.paused = file.ReadInteger(Section, Key(number, "Paused"), 0) != 0;
        settings.accounts.push_back(std::move(account));
    }
}

void WriteSyncSettings(TProfileFile& file, const SyncSettings& settings)
{
    file.EraseSection(Section);
    file.WriteInteger(Section, "Interval", settings.intervalMinutes);
    if (settings.intervalSeconds > 0)
        file.WriteInteger(Section, "IntervalSeconds", settings.intervalSeconds);
    for (std::size_t i = 0; i < settings.accounts.size(); ++i) {
        const SyncAccount& account = settings.accounts[i];
        for (const TextField& text : TextFields)
            file.WriteString(Section, Key(i + 1, text.suffix), account.*text.field);
        file.WriteInteger(Section, Key(i + 1, "AllowInsecure"), account.allowInsecure ? 1 : 0);
        file.WriteInteger(Section, Key(i + 1, "Paused"), account.paused ? 1 : 0);
    }
}

} // namespace quillary
