// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace quillary {

struct SyncState;

// What changed in the address book since the state's last run.
struct RemoteChanges
{
    std::map<std::string, std::string> changed; // href to ETag: new cards and cards whose ETag differs
    std::set<std::string> removed;              // hrefs the state knows that the server no longer has
    std::map<std::string, DavResource> bodies;  // the changed cards, once fetched; no group cards
    std::map<std::string, DavResource> groups;  // the group cards new or changed, once fetched
    std::set<std::string> removedGroups;        // group cards of the state the server no longer has
    // Changed cards that were not taken (CardRefusal), as "name (why)": they stay on the server as
    // they are, and the state goes on knowing what it knew of them.
    std::vector<std::string> refused;
    std::string syncToken;
    std::size_t serverCount = 0; // cards on the server, as far as the listing tells
};

// The changes: by sync token where the book has them and the state holds one (an expired token
// falls back to a full listing), else by comparing a full listing with the state's ETags.
DavStatus ListRemoteChanges(DavTransport& transport, const DavAddressBook& book, const SyncState& state,
                            RemoteChanges& changes);

// Fetches the bodies of the changed cards in batches; a card gone in between counts as removed,
// one over the budget is refused. A batch whose cards are more than a reply may bring is asked
// for in halves. progress is told the count fetched so far.
DavStatus FetchChangedCards(DavTransport& transport, const DavAddressBook& book, std::size_t batchSize,
                            RemoteChanges& changes, const std::function<void(std::size_t)>& progress);

} // namespace quillary
