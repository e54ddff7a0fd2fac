// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dav_credentials.h"

#include <string>

namespace quillary {

// Passwords of CardDAV accounts in the desktop's Secret Service keyring, under the service
// "Quillary" and a key of the account's URL and user. Each call blocks in an event loop of its
// own until the keyring answers. Without a keyring the outcome is NoKeyring, never a file.
class DavKeyring
{
public:
    static PasswordResult Read(const std::string& accountUrl, const std::string& user);
    // password is empty in the results of Write and Delete.
    static PasswordResult Write(const std::string& accountUrl, const std::string& user, const std::string& password);
    static PasswordResult Delete(const std::string& accountUrl, const std::string& user);

    static std::string Key(const std::string& accountUrl, const std::string& user);
};

} // namespace quillary
