// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_upload.h"

#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_dates.h"
#include "sync/card_mapping.h"
#include "sync/card_merge.h"
#include "sync/card_budget.h"
#include "sync/card_patch.h"
#include "sync/held_values.h"
#include "sync/local_cards.h"
#include "sync/sync_plan.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"
#include "sync/sync_tree.h"

#include <algorithm>

namespace quillary {

Uploader::Uploader(DavTransport& transport, SyncState& state, SyncTree& tree, SyncStore& store,
                   const SyncOptions& options, SyncReport& report)
    : m_transport(transport), m_state(state), m_tree(tree), m_store(store), m_options(options), m_report(report), m_book{state.bookUrl, {}, state.version == "4.0", state.syncTokens}
{
}

void Uploader::Run(const std::vector<SyncStep>& steps)
{
    const std::size_t batch = std::max<std::size_t>(m_options.batchSize, 1);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i % batch == 0 && m_options.StopRequested()) {
            m_report.outcome = SyncReport::Outcome::Stopped;
            return;
        }
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

// The run's sync token is older than a card made now, and a server may leave a card made and
// deleted since a token out of the changes since it (Xandikos does, as it compares what it held
// then with what it holds now): the next run lists the whole book, so that such a delete counts.
void Uploader::Made()
{
    ++m_report.serverNew;
    m_state.syncToken.clear();
}

void Uploader::Save()
{
    if (m_treeChanged)
        m_tree.SaveTree(m_store);
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
    SyncedCard* synced = m_state.FindItem(step.itemId);
    if (synced)
        return PutOver(*synced, step, true);
    // The update that was to pair the item with its card did not happen: the next run pairs them.
    return step.kind == SyncStepKind::PutChanged || PutNew(step);
}

bool Uploader::WithItem(std::int32_t id, const std::function<void(TPartyObject&)>& read)
{
    bool found = false;
    m_tree.Run([&](TreeNode&) {
        if (TPartyObject* item = m_tree.Item(id)) {
            found = true;
            read(*item);
        }
    });
    return found;
}

std::string Uploader::CardFor(const SyncedCard& synced, const std::string& agreedCard, TPartyObject& item)
{
    const std::vector<CardLine> server = agreedCard.empty()
                                             ? std::vector<CardLine>{PlainLine("UID", EscapeCardText(synced.uid))}
                                             : ParseCardLines(agreedCard);
    const std::string version = PatchVersion(agreedCard, m_state.version);
    const CardFields agreed = agreedCard.empty() ? CardFields{} : ServerFields(agreedCard, version, m_options.categories);
    const CardFields local = WithAgreedDates(LocalFields(item, version, m_options.categories), agreed);
    return WriteCardText(PatchCard(server, agreed, local, version, m_options.categories), version);
}

// The agreed card after a successful PUT: the card sent when the server answered with an ETag
// (it then keeps the card as sent), else its own copy.
bool Uploader::Stored(SyncedCard& synced, const std::string& card, const std::string& etag)
{
    synced.card = CardWithValuesHeld(card);
    synced.etag = etag;
    if (!etag.empty())
        return true;
    std::vector<DavResource> found;
    if (!Refetch(synced.href, found))
        return false;
    if (!found.empty()) {
        synced.card = CardWithValuesHeld(found.front().card);
        synced.etag = found.front().etag;
    }
    return true;
}

// A copy over the budget counts as none: the contact is named in the report and left for the run
// after the server's card has become one that can be taken.
bool Uploader::Refetch(const std::string& href, std::vector<DavResource>& found, bool* refused)
{
    const DavStatus status = m_transport.FetchCards(m_book, {href}, found);
    if (!status.Ok() && status.failure != DavFailure::TooLarge)
        return Fail(status);
    std::string refusal = status.Ok() ? std::string() : CardTooLargeReason();
    if (!found.empty() && refusal.empty())
        refusal = found.front().refusal.empty() ? CardRefusal(found.front().card) : found.front().refusal;
    if (refusal.empty())
        return true;
    const std::string name = found.empty() ? std::string() : CardName(found.front().card);
    m_report.refused.push_back((name.empty() ? href : name) + " (" + refusal + ")");
    found.clear();
    if (refused)
        *refused = true;
    return true;
}

// The server's copy of a step's card. A copy over the budget leaves the contact for the next run:
// settled is then set. False when the request failed and the run ends.
bool Uploader::CopyForStep(const std::string& href, const SyncStep& step, std::vector<DavResource>& found,
                           bool& settled)
{
    bool refused = false;
    if (!Refetch(href, found, &refused))
        return false;
    if (refused) {
        m_report.leftForNextRun.push_back(step.name);
        settled = true;
    }
    return true;
}

// A new item goes up under its own UID. A 412 means a card of that UID is there already: one an
// earlier run sent without living to note it, which the item adopts.
bool Uploader::PutNew(const SyncStep& step)
{
    const std::string uid = ItemUid(m_state.salt, step.itemId);
    SyncedCard fresh{step.itemId, uid, CardHref(m_state.bookUrl, uid), {}, {}};
    std::string card;
    if (!WithItem(step.itemId, [&](TPartyObject& item) { card = CardFor(fresh, {}, item); }))
        return true;
    std::string etag;
    const DavStatus status = m_transport.PutCard(fresh.href, card, "", etag);
    if (status.failure == DavFailure::PreconditionFailed) {
        std::vector<DavResource> found;
        bool refused = false;
        if (!Refetch(fresh.href, found, &refused))
            return false;
        if (refused)
            return true;
        if (found.empty())
            return Fail(status);
        fresh.card = CardWithValuesHeld(found.front().card);
        fresh.etag = found.front().etag;
        m_state.cards.push_back(fresh);
        return PutOver(m_state.cards.back(), step, false, &found.front().card);
    }
    if (!status.Ok())
        return Fail(status);
    m_state.cards.push_back(fresh);
    Made();
    return Stored(m_state.cards.back(), card, etag);
}

// agreedCard: the agreed card whole, when the caller has it; else the state's card, or the
// server's copy of it when the state holds references to its large values.
bool Uploader::PutOver(SyncedCard& synced, const SyncStep& step, bool retry, const std::string* agreedCard)
{
    std::vector<DavResource> found;
    if (!agreedCard && !synced.etag.empty() && HoldsValues(synced.card)) {
        bool settled = false;
        if (!CopyForStep(synced.href, step, found, settled))
            return false;
        if (settled)
            return true;
        if (found.empty() || found.front().etag != synced.etag)
            return AfterConflict(synced, step, retry);
        agreedCard = &found.front().card;
    }
    const bool lost = synced.etag.empty();
    const std::string& whole = agreedCard ? *agreedCard : synced.card;
    std::string card;
    const bool present = WithItem(step.itemId, [&](TPartyObject& item) {
        if (!lost) {
            const std::string version = PatchVersion(synced.card, m_state.version);
            const CardFields agreed = ServerFields(synced.card, version, m_options.categories);
            if (WithAgreedDates(LocalFields(item, version, m_options.categories), agreed) == agreed)
                return;
        }
        card = CardFor(synced, whole, item);
    });
    if (!present || card.empty())
        return true;
    std::string etag;
    const DavStatus status = m_transport.PutCard(synced.href, card, synced.etag, etag);
    if (status.failure == DavFailure::PreconditionFailed || status.failure == DavFailure::NotFound)
        return AfterConflict(synced, step, retry);
    if (!status.Ok())
        return Fail(status);
    if (lost)
        Made();
    else
        ++m_report.serverChanged;
    return Stored(synced, card, etag);
}

// Another client wrote (or deleted) the card since it was agreed: merge with its copy and try
// once more; a card deleted there goes up again as new, since the change here wins. An item open
// for editing is not merged into: it waits for the next run, whose PUT meets the same 412.
bool Uploader::AfterConflict(SyncedCard& synced, const SyncStep& step, bool retry)
{
    if (!retry) {
        m_report.leftForNextRun.push_back(step.name);
        return true;
    }
    std::vector<DavResource> found;
    bool settled = false;
    if (!CopyForStep(synced.href, step, found, settled))
        return false;
    if (settled)
        return true;
    if (found.empty()) {
        synced.etag.clear();
        synced.card.clear();
        return PutOver(synced, step, false);
    }
    bool busy = false;
    const bool present = WithItem(step.itemId, [&](TPartyObject& item) {
        busy = m_options.busy && m_options.busy(step.itemId);
        if (!busy)
            Merge(item, synced, found.front().card);
    });
    if (!present)
        return true;
    if (busy) {
        m_report.Wait(step.name);
        return true;
    }
    synced.card = CardWithValuesHeld(found.front().card);
    synced.etag = found.front().etag;
    return PutOver(synced, step, false, &found.front().card);
}

void Uploader::Merge(TPartyObject& item, const SyncedCard& synced, const std::string& serverCard)
{
    // Read in the server card's version, so that what the tree adds takes that card's form.
    const std::string version = PatchVersion(serverCard, m_state.version);
    const CardFields agreed = ServerFields(synced.card, version, m_options.categories);
    const CardFields local = WithAgreedDates(LocalFields(item, version, m_options.categories), agreed);
    const CardFields server = ServerFields(serverCard, version, m_options.categories);
    const CardMerge merge = MergeCardFields(agreed, local, server);
    if (!merge.conflicts.empty())
        m_report.conflicts.push_back(item.GetTitle());
    if (merge.fields == local)
        return;
    const std::string merged =
        WriteCardText(PatchCard(ParseCardLines(serverCard), server, merge.fields, version, m_options.categories), version);
    TPartyObject& holder = ApplyCardToItem(item, merged, m_options.categories);
    m_tree.Remember(holder); // a kind changed by the server makes a new item
    holder.GetTreeNode()->Tree().SortChildren(*holder.GetTreeNode()->Parent());
    m_treeChanged = true;
    ++m_report.hereChanged;
}

// Deleted here: the card goes only while the server still has the agreed one. Changed there in
// the meantime, it comes back here, since a change wins over a delete.
bool Uploader::Delete(const SyncStep& step)
{
    SyncedCard* synced = m_state.FindHref(step.href);
    if (!synced || WithItem(synced->itemId, [](TPartyObject&) {}))
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
    bool refused = false;
    if (!Refetch(step.href, found, &refused))
        return false;
    if (refused)
        return true;
    if (found.empty()) {
        forget();
        return true;
    }
    std::int32_t id = 0;
    m_tree.Run([&](TreeNode& node) {
        TPartyObject& item = CreateItemFromCard(node, found.front().card, m_options.categories);
        node.Tree().SortChildren(node);
        m_tree.Remember(item);
        id = item.GetID();
    });
    *synced = {id, synced->uid, synced->href, found.front().etag, CardWithValuesHeld(found.front().card)};
    m_treeChanged = true;
    ++m_report.hereNew;
    return true;
}

} // namespace quillary
