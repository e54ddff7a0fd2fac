// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/sync_state.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quillary {

class TreeNode;

// The state kept at path for the address book at url, made afresh (with a new salt) the first
// time, now naming node. None, with problem set, when it belongs to another node of the tree that
// still exists: syncing one book with two folders would move every contact. Throws FileError as
// LoadSyncState does.
std::optional<SyncState> StateForNode(const std::filesystem::path& path, const std::string& url, TreeNode& node,
                                      std::string& problem);

} // namespace quillary
