// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_upload.h"

#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_dates.h"
#include "sync/card_mapping.h"
#include "sync/card_merge.h"
#include "sync/card_patch.h"
#include "sync/local_cards.h"
#include "sync/sync_plan.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <algorithm>

namespace quillary {

Uploader::Uploader(DavTransport& transport, SyncState& state, TreeNode& node, SyncStore& store,
                   const SyncOptions& options, CardProjector& projector, SyncReport& report)
    : m_transport(transport), m_state(state), m_node(node), m_store(store), m_options(options), m_projector(projector),
      m_report(report), m_items(PartiesById(node)), m_book{state.bookUrl, {}, state.version == "4.0", state.syncTokens}
{
}

void Uploader::Run(const std::vector<SyncStep>& steps)
{
    const std::size_t batch = std::max<std::size_t>(m_options.batchSize, 1);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (!Send(steps[i])) {
            Save();
            return;
        }
        if ((i + 1) % batch == 0 || i + 1 == steps.size()) {
            Save();
            if (m_options.progress)
                m_options.progress("sent " + std::to_string(i + 1) + " of " + std::to_string(steps.size()) +
                                   " changes to the server");
        }
    }
}

void Uploader::Save()
{
    if (m_treeChanged)
        m_store.SaveTree();
    m_treeChanged = false;
    m_store.SaveState(m_state);
}

bool Uploader::Fail(const DavStatus& status)
{
    m_report.outcome = SyncReport::Outcome::Failed;
    m_report.failure = status;
    return false;
}

bool Uploader::Send(const SyncStep& step)
{
    if (step.kind == SyncStepKind::DeleteThere)
        return Delete(step);
    const auto item = m_items.find(step.itemId);
    if (item == m_items.end())
        return true;
    SyncedCard* synced = m_state.FindItem(step.itemId);
    return synced ? PutOver(*synced, *item->second, true) : PutNew(*item->second);
}

std::string Uploader::CardFor(const SyncedCard& synced, TPartyObject& item)
{
    const std::vector<CardLine> server = synced.card.empty()
                                             ? std::vector<CardLine>{PlainLine("UID", EscapeCardText(synced.uid))}
                                             : ParseCardLines(synced.card);
    const CardFields agreed = synced.card.empty() ? CardFields{} : m_projector.Project(synced.card);
    const CardFields local = WithAgreedDates(LocalFields(item, m_projector), agreed);
    return WriteCardText(PatchCard(server, agreed, local, m_state.version), m_state.version);
}

// The agreed card after a successful PUT: the card sent when the server answered with an ETag
// (it then keeps the card as sent), else its own copy.
bool Uploader::Stored(SyncedCard& synced, const std::string& card, const std::string& etag)
{
    synced.card = card;
    synced.etag = etag;
    if (!etag.empty())
        return true;
    std::vector<DavResource> found;
    if (!Refetch(synced.href, found))
        return false;
    if (!found.empty()) {
        synced.card = found.front().card;
        synced.etag = found.front().etag;
    }
    return true;
}

bool Uploader::Refetch(const std::string& href, std::vector<DavResource>& found)
{
    const DavStatus status = m_transport.FetchCards(m_book, {href}, found);
    return status.Ok() || Fail(status);
}

// A new item goes up under its own UID. A 412 means a card of that UID is there already: one an
// earlier run sent without living to note it, which the item adopts.
bool Uploader::PutNew(TPartyObject& item)
{
    const std::string uid = ItemUid(m_state.salt, item.GetID());
    SyncedCard fresh{item.GetID(), uid, CardHref(m_state.bookUrl, uid), {}, {}};
    const std::string card = CardFor(fresh, item);
    std::string etag;
    const DavStatus status = m_transport.PutCard(fresh.href, card, "", etag);
    if (status.failure == DavFailure::PreconditionFailed) {
        std::vector<DavResource> found;
        if (!Refetch(fresh.href, found))
            return false;
        if (found.empty())
            return Fail(status);
        fresh.card = found.front().card;
        fresh.etag = found.front().etag;
        m_state.cards.push_back(fresh);
        return PutOver(m_state.cards.back(), item, false);
    }
    if (!status.Ok())
        return Fail(status);
    m_state.cards.push_back(fresh);
    ++m_report.serverNew;
    return Stored(m_state.cards.back(), card, etag);
}

bool Uploader::PutOver(SyncedCard& synced, TPartyObject& item, bool retry)
{
    const bool lost = synced.etag.empty();
    if (!lost) {
        const CardFields agreed = m_projector.Project(synced.card);
        if (WithAgreedDates(LocalFields(item, m_projector), agreed) == agreed)
            return true;
    }
    const std::string card = CardFor(synced, item);
    std::string etag;
    const DavStatus status = m_transport.PutCard(synced.href, card, synced.etag, etag);
    if (status.failure == DavFailure::PreconditionFailed || status.failure == DavFailure::NotFound)
        return AfterConflict(synced, item, retry);
    if (!status.Ok())
        return Fail(status);
    ++(lost ? m_report.serverNew : m_report.serverChanged);
    return Stored(synced, card, etag);
}

// Another client wrote (or deleted) the card since it was agreed: merge with its copy and try
// once more; a card deleted there goes up again as new, since the change here wins.
bool Uploader::AfterConflict(SyncedCard& synced, TPartyObject& item, bool retry)
{
    if (!retry) {
        m_report.leftForNextRun.push_back(item.GetTitle());
        return true;
    }
    std::vector<DavResource> found;
    if (!Refetch(synced.href, found))
        return false;
    if (found.empty()) {
        synced.etag.clear();
        synced.card.clear();
        return PutOver(synced, item, false);
    }
    const CardFields agreed = m_projector.Project(synced.card);
    const CardFields local = WithAgreedDates(LocalFields(item, m_projector), agreed);
    const CardFields server = m_projector.Project(found.front().card);
    const CardMerge merge = MergeCardFields(agreed, local, server);
    if (!merge.conflicts.empty())
        m_report.conflicts.push_back(item.GetTitle());
    TPartyObject* holder = &item;
    if (merge.fields != local) {
        holder = &ApplyCardToItem(
            item, WriteCardText(PatchCard(ParseCardLines(found.front().card), server, merge.fields, m_state.version),
                                m_state.version));
        m_items[holder->GetID()] = holder;
        m_node.Tree().SortChildren(*holder->GetTreeNode()->Parent());
        m_treeChanged = true;
        ++m_report.hereChanged;
    }
    synced.card = found.front().card;
    synced.etag = found.front().etag;
    return PutOver(synced, *holder, false);
}

// Deleted here: the card goes only while the server still has the agreed one. Changed there in
// the meantime, it comes back here, since a change wins over a delete.
bool Uploader::Delete(const SyncStep& step)
{
    SyncedCard* synced = m_state.FindHref(step.href);
    if (!synced || m_items.count(synced->itemId) != 0)
        return true;
    const DavStatus status = m_transport.DeleteCard(synced->href, synced->etag);
    const auto forget = [&] {
        std::erase_if(m_state.cards, [&](const SyncedCard& each) { return each.href == step.href; });
    };
    if (status.Ok() || status.failure == DavFailure::NotFound) {
        forget();
        m_report.serverDeleted += status.Ok();
        return true;
    }
    if (status.failure != DavFailure::PreconditionFailed)
        return Fail(status);
    std::vector<DavResource> found;
    if (!Refetch(step.href, found))
        return false;
    if (found.empty()) {
        forget();
        return true;
    }
    TPartyObject& item = CreateItemFromCard(m_node, found.front().card);
    m_node.Tree().SortChildren(m_node);
    m_items[item.GetID()] = &item;
    *synced = {item.GetID(), synced->uid, synced->href, found.front().etag, found.front().card};
    m_treeChanged = true;
    ++m_report.hereNew;
    return true;
}

} // namespace quillary
