// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"
#include "sync/sync_state.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quillary {

class TreeNode;

// Where the state of the address book url leads to lives beside the data file: keyed by the book's
// canonical URL, so that every spelling of it (the book's, the server's, the principal's) shares
// one state. A URL that is itself the canonical URL of a book with a state needs no discovery. A
// state kept under the URL as given (as earlier versions kept them) is moved over unless the book
// has one already. None when discovery fails (status says why). Throws FileError as LoadSyncState
// does, and when a state cannot be moved.
std::optional<std::filesystem::path> SyncStateOfBook(DavTransport& transport, const std::filesystem::path& dataFile,
                                                     const std::string& url, DavStatus& status);

// The state kept at path for the address book at url, made afresh (with a new salt) the first
// time, now naming node and url (the spelling given this time, for messages). None, with problem set, when it belongs to another node of the tree that
// still exists: syncing one book with two folders would move every contact. Throws FileError as
// LoadSyncState does.
std::optional<SyncState> StateForNode(const std::filesystem::path& path, const std::string& url, TreeNode& node,
                                      std::string& problem);

} // namespace quillary
