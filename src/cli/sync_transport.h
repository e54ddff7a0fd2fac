// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/dav_transport.h"

#include <memory>
#include <string>

namespace quillary::cli {

// Who talks to the server. The password never comes from the command line itself.
struct SyncCredentials
{
    std::string user;
    std::string password;
};

// The CardDAV transport of this build; none, with the reason in problem, when the build has no
// network transport.
std::unique_ptr<DavTransport> MakeSyncTransport(const SyncCredentials& credentials, std::string& problem);

} // namespace quillary::cli
