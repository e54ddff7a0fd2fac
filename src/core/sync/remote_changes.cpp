// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/remote_changes.h"

#include "sync/sync_state.h"

#include <algorithm>
#include <vector>

namespace quillary {

namespace {
const SyncedCard* Known(const SyncState& state, const std::string& href)
{
    const auto it = std::find_if(state.cards.begin(), state.cards.end(),
                                 [&](const SyncedCard& synced) { return synced.href == href; });
    return it == state.cards.end() ? nullptr : &*it;
}

// Keeps of the listed cards those the state does not know with that ETag.
void TakeChanged(const std::vector<DavResource>& cards, const SyncState& state, RemoteChanges& changes)
{
    for (const DavResource& card : cards) {
        const SyncedCard* known = Known(state, card.href);
        if (!known || known->etag != card.etag)
            changes.changed[card.href] = card.etag;
    }
}

DavStatus ListAll(DavTransport& transport, const DavAddressBook& book, const SyncState& state, RemoteChanges& changes)
{
    std::vector<DavResource> cards;
    const DavStatus status = transport.ListCards(book, cards, changes.syncToken);
    if (!status.Ok())
        return status;
    TakeChanged(cards, state, changes);
    std::set<std::string> listed;
    for (const DavResource& card : cards)
        listed.insert(card.href);
    for (const SyncedCard& synced : state.cards)
        if (listed.count(synced.href) == 0)
            changes.removed.insert(synced.href);
    changes.serverCount = cards.size();
    return status;
}

// Servers differ in how they refuse a sync token they no longer know: Radicale names the
// precondition, Xandikos answers 500, others 403 or 409. Such a refusal gets one full listing.
bool TokenRefused(const DavStatus& status)
{
    return status.failure == DavFailure::Server || status.httpStatus == 403 || status.httpStatus == 409;
}
} // namespace

DavStatus ListRemoteChanges(DavTransport& transport, const DavAddressBook& book, const SyncState& state,
                            RemoteChanges& changes)
{
    if (!state.syncTokens || state.syncToken.empty())
        return ListAll(transport, book, state, changes);
    DavChanges since;
    const DavStatus status = transport.ChangesSince(book, state.syncToken, since);
    if (!status.Ok() && !TokenRefused(status))
        return status;
    if (!status.Ok() || since.tokenExpired)
        return ListAll(transport, book, state, changes);
    TakeChanged(since.changed, state, changes);
    std::size_t known = state.cards.size();
    for (const std::string& href : since.removed) {
        if (Known(state, href)) {
            changes.removed.insert(href);
            --known;
        }
    }
    changes.syncToken = since.syncToken;
    changes.serverCount = known + changes.changed.size();
    return status;
}

DavStatus FetchChangedCards(DavTransport& transport, const DavAddressBook& book, std::size_t batchSize,
                            RemoteChanges& changes, const std::function<void(std::size_t)>& progress)
{
    std::vector<std::string> hrefs;
    for (const auto& [href, etag] : changes.changed)
        hrefs.push_back(href);
    for (std::size_t first = 0; first < hrefs.size(); first += batchSize) {
        const std::vector<std::string> batch(
            hrefs.begin() + static_cast<std::ptrdiff_t>(first),
            hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), first + batchSize)));
        std::vector<DavResource> cards;
        const DavStatus status = transport.FetchCards(book, batch, cards);
        if (!status.Ok())
            return status;
        for (DavResource& card : cards)
            changes.bodies[card.href] = std::move(card);
        if (progress)
            progress(changes.bodies.size());
    }
    // A card deleted between the listing and the fetch is gone.
    for (const std::string& href : hrefs) {
        if (changes.bodies.count(href) == 0) {
            changes.changed.erase(href);
            changes.removed.insert(href);
        }
    }
    return {};
}

} // namespace quillary
