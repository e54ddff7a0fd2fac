// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync_transport.h"

namespace quillary::cli {

std::unique_ptr<DavTransport> MakeSyncTransport(const SyncCredentials&, std::string& problem)
{
    problem = "this build of quillary-cli has no CardDAV transport (it needs Qt 6 Network)";
    return nullptr;
}

} // namespace quillary::cli
