// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

// Who the program is on a CardDAV server. Held in memory only: never written to a file or a log.
struct DavCredentials
{
    std::string user;
    std::string password;
};

enum class PasswordOutcome {
    Found,
    NotFound,  // the variable is not set, or the keyring holds nothing under that key
    NoKeyring, // no Secret Service answers on this desktop
    Failed     // the keyring refused or broke; message says how
};

// A password looked up, or why there is none; message is for people and never holds the password.
struct PasswordResult
{
    PasswordOutcome outcome = PasswordOutcome::NotFound;
    std::string password;
    std::string message;
    bool Found() const { return outcome == PasswordOutcome::Found; }
};

// The password in the environment variable the caller named (so it never stands on a command line).
PasswordResult PasswordFromEnvironment(const std::string& variable);

} // namespace quillary
