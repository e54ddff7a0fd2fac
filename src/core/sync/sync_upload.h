// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/dav_transport.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quillary {

class CardProjector;
class SyncStore;
class TPartyObject;
class TreeNode;
struct SyncOptions;
struct SyncReport;
struct SyncState;
struct SyncStep;
struct SyncedCard;

// Sends the plan's uploads: each card is made at the time of sending from the item and the agreed
// card. A 412 (another client wrote first) fetches the card, merges, and tries once more; a second
// 412 leaves the contact for the next run. The state (after the tree, when a merge changed it) is
// saved after each batch and when a request fails, which ends the run.
class Uploader
{
public:
    Uploader(DavTransport& transport, SyncState& state, TreeNode& node, SyncStore& store, const SyncOptions& options,
             CardProjector& projector, SyncReport& report);
    void Run(const std::vector<SyncStep>& steps);

private:
    // False when the run must end.
    bool Send(const SyncStep& step);
    bool PutNew(TPartyObject& item);
    bool PutOver(SyncedCard& synced, TPartyObject& item, bool retry);
    bool AfterConflict(SyncedCard& synced, TPartyObject& item, bool retry);
    bool Delete(const SyncStep& step);
    bool Stored(SyncedCard& synced, const std::string& card, const std::string& etag);
    bool Refetch(const std::string& href, std::vector<DavResource>& found);
    bool Fail(const DavStatus& status);
    std::string CardFor(const SyncedCard& synced, TPartyObject& item);
    void Save();

    DavTransport& m_transport;
    SyncState& m_state;
    TreeNode& m_node;
    SyncStore& m_store;
    const SyncOptions& m_options;
    CardProjector& m_projector;
    SyncReport& m_report;
    std::map<std::int32_t, TPartyObject*> m_items;
    DavAddressBook m_book;
    bool m_treeChanged = false;
};

} // namespace quillary
