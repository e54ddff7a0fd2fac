// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <memory>
#include <optional>
#include <string>

namespace quillary::cli {

// Who talks to the server. The password never comes from the command line itself: it is the
// one an environment variable held, or, when none was named, the keyring's for this user and URL.
struct SyncCredentials
{
    std::string user;
    std::optional<std::string> password;
};

// A conversation with a CardDAV server, with whatever it needs kept alive around it.
class SyncConnection
{
public:
    virtual ~SyncConnection() = default;
    virtual DavTransport& Transport() = 0;
};

// The CardDAV connection of this build to url; none, with the reason in problem, when the build
// has no network transport or no password can be found.
std::unique_ptr<SyncConnection> ConnectForSync(const std::string& url, const SyncCredentials& credentials,
                                               std::string& problem);

} // namespace quillary::cli
