// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sync/sync_passwords.h"

#include "common/process_secrets.h"
#include "platform/dav_keyring.h"
#include "shell/sync_accounts.h"

#include <cstdlib>

namespace quillary {

SyncPasswords::Keyring SyncPasswords::SystemKeyring()
{
    return {&DavKeyring::Read, &DavKeyring::Write, &DavKeyring::Delete};
}

std::string SyncPasswords::Key(const SyncAccount& account)
{
    return DavKeyring::Key(account.SyncUrl(), account.user);
}

std::optional<std::string> SyncPasswords::Find(const SyncAccount& account, std::string& message)
{
    MarkProcessHoldingSecrets();
    if (!account.passwordEnv.empty()) {
        if (const char* password = std::getenv(account.passwordEnv.c_str()))
            return std::string(password);
    }
    if (const auto kept = m_memory.find(Key(account)); kept != m_memory.end())
        return kept->second;
    PasswordResult found = m_keyring.read(account.SyncUrl(), account.user);
    m_hasKeyring = found.outcome != PasswordOutcome::NoKeyring;
    if (found.Found())
        return std::move(found.password);
    if (found.outcome == PasswordOutcome::Failed)
        message = found.message;
    return std::nullopt;
}

bool SyncPasswords::Keep(const SyncAccount& account, const std::string& password, std::string& message)
{
    MarkProcessHoldingSecrets();
    m_memory[Key(account)] = password;
    const PasswordResult written = m_keyring.write(account.SyncUrl(), account.user, password);
    m_hasKeyring = written.outcome != PasswordOutcome::NoKeyring;
    if (written.outcome == PasswordOutcome::Failed) {
        message = written.message;
        return false;
    }
    // Once in the keyring it is read from there, so that a change made elsewhere counts.
    if (written.outcome != PasswordOutcome::NoKeyring)
        m_memory.erase(Key(account));
    return true;
}

bool SyncPasswords::HasKeyring()
{
    if (!m_hasKeyring)
        m_hasKeyring = m_keyring.read("", "").outcome != PasswordOutcome::NoKeyring;
    return *m_hasKeyring;
}

void SyncPasswords::Forget(const SyncAccount& account)
{
    m_memory.erase(Key(account));
}

void SyncPasswords::Remove(const SyncAccount& account)
{
    Forget(account);
    m_keyring.remove(account.SyncUrl(), account.user);
}

} // namespace quillary
