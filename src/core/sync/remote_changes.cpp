// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/remote_changes.h"

#include "sync/card_budget.h"
#include "sync/group_cards.h"
#include "sync/sync_plan.h"
#include "sync/sync_state.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace quillary {

namespace {
using KnownCards = std::unordered_map<std::string_view, const SyncedCard*>;

KnownCards IndexByHref(const SyncState& state)
{
    KnownCards known;
    known.reserve(state.cards.size() + state.groups.size());
    for (const SyncedCard& synced : state.cards)
        known.emplace(synced.href, &synced);
    for (const SyncedCard& group : state.groups)
        known.emplace(group.href, &group);
    return known;
}

const SyncedCard* Known(const KnownCards& known, const std::string& href)
{
    const auto it = known.find(href);
    return it == known.end() ? nullptr : it->second;
}

bool KnowsGroup(const SyncState& state, const std::string& href)
{
    return std::any_of(state.groups.begin(), state.groups.end(),
                       [&](const SyncedCard& group) { return group.href == href; });
}

// Keeps of the listed cards those the state does not know with that ETag.
void TakeChanged(const std::vector<DavResource>& cards, const KnownCards& known, RemoteChanges& changes)
{
    for (const DavResource& card : cards) {
        const SyncedCard* synced = Known(known, card.href);
        if (!synced || synced->etag != card.etag)
            changes.changed[card.href] = card.etag;
    }
}

DavStatus ListAll(DavTransport& transport, const DavAddressBook& book, const SyncState& state, RemoteChanges& changes)
{
    std::vector<DavResource> cards;
    const DavStatus status = transport.ListCards(book, cards, changes.syncToken);
    if (!status.Ok())
        return status;
    TakeChanged(cards, IndexByHref(state), changes);
    std::unordered_set<std::string_view> listed;
    listed.reserve(cards.size());
    for (const DavResource& card : cards)
        listed.insert(card.href);
    for (const SyncedCard& synced : state.cards)
        if (listed.count(synced.href) == 0)
            changes.removed.insert(synced.href);
    for (const SyncedCard& group : state.groups)
        if (listed.count(group.href) == 0)
            changes.removedGroups.insert(group.href);
    changes.serverCount = cards.size();
    return status;
}

// Servers differ in how they refuse a sync token they no longer know: Radicale names the
// precondition, Xandikos answers 500, others 403 or 409. Such a refusal gets one full listing.
bool TokenRefused(const DavStatus& status)
{
    return status.failure == DavFailure::Server || status.httpStatus == 403 || status.httpStatus == 409;
}

void Refuse(RemoteChanges& changes, const std::string& href, const std::string& card, const std::string& why)
{
    const std::string name = card.empty() ? std::string() : CardName(card);
    changes.refused.push_back((name.empty() ? href : name) + " (" + why + ")");
}

DavStatus FetchBatch(DavTransport& transport, const DavAddressBook& book, const std::vector<std::string>& hrefs,
                     RemoteChanges& changes)
{
    std::vector<DavResource> cards;
    const DavStatus status = transport.FetchCards(book, hrefs, cards);
    if (status.failure == DavFailure::TooLarge && hrefs.size() > 1) {
        const auto middle = hrefs.begin() + static_cast<std::ptrdiff_t>(hrefs.size() / 2);
        const DavStatus first = FetchBatch(transport, book, {hrefs.begin(), middle}, changes);
        return first.Ok() ? FetchBatch(transport, book, {middle, hrefs.end()}, changes) : first;
    }
    if (status.failure == DavFailure::TooLarge) {
        Refuse(changes, hrefs.front(), {}, CardTooLargeReason());
        changes.changed.erase(hrefs.front());
        return {};
    }
    if (!status.Ok())
        return status;
    for (DavResource& card : cards) {
        const std::string refusal = card.refusal.empty() ? CardRefusal(card.card) : card.refusal;
        if (refusal.empty()) {
            // A group card stands for a category, never for a contact.
            if (IsGroupCard(ParseCardLines(card.card))) {
                changes.changed.erase(card.href);
                changes.groups[card.href] = std::move(card);
            } else {
                changes.bodies[card.href] = std::move(card);
            }
            continue;
        }
        Refuse(changes, card.href, card.card, refusal);
        changes.changed.erase(card.href);
    }
    return status;
}
} // namespace

DavStatus ListRemoteChanges(DavTransport& transport, const DavAddressBook& book, const SyncState& state,
                            RemoteChanges& changes)
{
    if (!state.syncTokens || state.syncToken.empty())
        return ListAll(transport, book, state, changes);
    DavChanges since;
    const DavStatus status = transport.ChangesSince(book, state.syncToken, state.cards.size(), since);
    if (!status.Ok() && !TokenRefused(status))
        return status;
    if (!status.Ok() || since.tokenExpired)
        return ListAll(transport, book, state, changes);
    const KnownCards known = IndexByHref(state);
    TakeChanged(since.changed, known, changes);
    std::size_t count = state.cards.size();
    for (const std::string& href : since.removed) {
        if (KnowsGroup(state, href)) {
            changes.removedGroups.insert(href);
        } else if (Known(known, href)) {
            changes.removed.insert(href);
            --count;
        }
    }
    changes.syncToken = since.syncToken;
    changes.serverCount = count + changes.changed.size();
    return status;
}

DavStatus FetchChangedCards(DavTransport& transport, const DavAddressBook& book, std::size_t batchSize,
                            RemoteChanges& changes, const std::function<void(std::size_t)>& progress)
{
    std::vector<std::string> hrefs;
    for (const auto& [href, etag] : changes.changed)
        hrefs.push_back(href);
    batchSize = std::max<std::size_t>(batchSize, 1);
    for (std::size_t first = 0; first < hrefs.size(); first += batchSize) {
        const std::vector<std::string> batch(
            hrefs.begin() + static_cast<std::ptrdiff_t>(first),
            hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), first + batchSize)));
        const DavStatus status = FetchBatch(transport, book, batch, changes);
        if (!status.Ok())
            return status;
        if (progress)
            progress(changes.bodies.size());
    }
    // A card deleted between the listing and the fetch is gone.
    for (const std::string& href : hrefs) {
        if (changes.bodies.count(href) == 0 && changes.changed.count(href) != 0) {
            changes.changed.erase(href);
            changes.removed.insert(href);
        }
    }
    return {};
}

} // namespace quillary
