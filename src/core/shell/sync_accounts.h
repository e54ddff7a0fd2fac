// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace quillary {

class TProfileFile;

// One CardDAV account of the desktop program: which node of the tree it keeps in step with which
// address book. Its password lives in the keyring only.
struct SyncAccount
{
    std::string name;
    std::string serverUrl; // as the user typed it
    std::string user;
    std::string nodePath;    // "My Contacts/..."
    std::string bookUrl;     // the address book chosen from the server's list; empty: the server's URL is one
    bool allowInsecure = false; // plain http to a host other than this machine
    std::string fingerprint;    // a certificate the user accepted although the system does not trust it
    bool paused = false;        // a refused mass deletion waits for the user's decision
    // For unattended runs: the environment variable that holds the password (never the password).
    std::string passwordEnv;

    // The URL the engine is given: its sync state and keyring entry are kept under it, as the
    // command line keeps them under its --url.
    const std::string& SyncUrl() const { return bookUrl.empty() ? serverUrl : bookUrl; }
    bool operator==(const SyncAccount&) const = default;
};

struct SyncSettings
{
    int intervalMinutes = 15; // between automatic rounds; 0: none
    // For tests that cannot wait minutes: when above 0, the interval in seconds instead.
    int intervalSeconds = 0;
    std::vector<SyncAccount> accounts;

    std::chrono::seconds Interval() const;
    bool operator==(const SyncSettings&) const = default;
};

// The [Synchronization] section: Interval, and Account<N><Field> keys from N = 1.
SyncSettings ReadSyncSettings(const TProfileFile& file);
// Replaces the section (accounts removed there are gone from it).
void WriteSyncSettings(TProfileFile& file, const SyncSettings& settings);

} // namespace quillary
