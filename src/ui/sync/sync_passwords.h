// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dav_credentials.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace quillary {

struct SyncAccount;

// Where the accounts' passwords are: the desktop's keyring (under the key the command line reads
// too), an environment variable the settings name for unattended runs, or, when there is no
// keyring, what the user typed in during this run, kept in memory only.
class SyncPasswords
{
public:
    // The keyring, replaced in tests.
    struct Keyring
    {
        std::function<PasswordResult(const std::string& url, const std::string& user)> read;
        std::function<PasswordResult(const std::string& url, const std::string& user, const std::string& password)>
            write;
        std::function<PasswordResult(const std::string& url, const std::string& user)> remove;
    };
    static Keyring SystemKeyring();

    explicit SyncPasswords(Keyring keyring = SystemKeyring()) : m_keyring(std::move(keyring)) {}
    void SetKeyring(Keyring keyring) { m_keyring = std::move(keyring); }

    // The password to use; none when it must be asked for (or the keyring failed: message says why).
    std::optional<std::string> Find(const SyncAccount& account, std::string& message);
    // Keeps a password typed in: in the keyring, else in memory. False, with message, when the
    // keyring refused it (it is then kept in memory all the same).
    bool Keep(const SyncAccount& account, const std::string& password, std::string& message);
    // Forgets a password the server refused, so that the next round asks.
    void Forget(const SyncAccount& account);
    // Removes an account's password from the keyring and from memory.
    void Remove(const SyncAccount& account);
    // Whether a keyring answers (asked once, then as the last request found).
    bool HasKeyring();

private:
    static std::string Key(const SyncAccount& account);

    Keyring m_keyring;
    std::map<std::string, std::string> m_memory;
    std::optional<bool> m_hasKeyring;
};

} // namespace quillary
