// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillary {

class SyncStore;
class SyncTree;
class TPartyObject;
struct SyncOptions;
struct SyncReport;
struct SyncState;
struct SyncStep;
struct SyncedCard;

// Sends the plan's uploads: each card is made at the time of sending from the item and the agreed
// card. A 412 (another client wrote first) fetches the card, merges, and tries once more; a second
// 412 leaves the contact for the next run (as does one open for editing, which the merge would
// change). The tree is read and changed in pieces of tree work, the requests are sent between them.
// The state (after the tree, when a merge changed it) is saved after each batch and when a request
// fails or a stop is asked for between batches, either of which ends the run.
class Uploader
{
public:
    Uploader(DavTransport& transport, SyncState& state, SyncTree& tree, SyncStore& store, const SyncOptions& options,
             SyncReport& report);
    void Run(const std::vector<SyncStep>& steps);

private:
    // False when the run must end.
    bool Send(const SyncStep& step);
    bool PutNew(const SyncStep& step);
    bool PutOver(SyncedCard& synced, const SyncStep& step, bool retry, const std::string* agreedCard = nullptr);
    bool AfterConflict(SyncedCard& synced, const SyncStep& step, bool retry);
    bool Delete(const SyncStep& step);
    // Takes the server's card into the item as far as the three-way merge says.
    void Merge(TPartyObject& item, const SyncedCard& synced, const std::string& serverCard);
    // Runs read on the item in a piece of tree work; false when the item is gone.
    bool WithItem(std::int32_t id, const std::function<void(TPartyObject&)>& read);
    bool Stored(SyncedCard& synced, const std::string& card, const std::string& etag);
    bool Refetch(const std::string& href, std::vector<DavResource>& found, bool* refused = nullptr);
    bool CopyForStep(const std::string& href, const SyncStep& step, std::vector<DavResource>& found, bool& settled);
    bool Fail(const DavStatus& status);
    std::string CardFor(const SyncedCard& synced, const std::string& agreedCard, TPartyObject& item);
    // Counts a card the server did not have before this run's PUT.
    void Made();
    void Save();

    DavTransport& m_transport;
    SyncState& m_state;
    SyncTree& m_tree;
    SyncStore& m_store;
    const SyncOptions& m_options;
    SyncReport& m_report;
    DavAddressBook m_book;
    bool m_treeChanged = false;
};

} // namespace quillary
