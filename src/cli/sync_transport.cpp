// SPDX-License-Identifier: GPL-3.0-or-later
// Builds without Qt have no network stack to talk CardDAV with.
#include "sync_transport.h"

namespace quillary::cli {

std::unique_ptr<SyncConnection> ConnectForSync(const std::string&, const SyncCredentials&, std::string& problem)
{
    problem = "this build of quillary-cli has no CardDAV transport (it needs Qt 6 Network)";
    return nullptr;
}

} // namespace quillary::cli
