// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_plan.h"

#include "common/blank_trim.h"
#include "sync/card_dates.h"
#include "sync/card_mapping.h"
#include "sync/card_merge.h"
#include "sync/card_patch.h"
#include "sync/held_values.h"
#include "sync/local_cards.h"
#include "sync/remote_changes.h"
#include "sync/sync_state.h"

#include <algorithm>
#include <set>

namespace quillary {

namespace {
class Planner
{
public:
    Planner(const SyncState& state, const LocalCards& local, const RemoteChanges& remote, const CategoryNames& slots)
        : m_state(state), m_local(local), m_remote(remote), m_slots(slots)
    {
        for (const SyncedCard& synced : state.cards) {
            m_knownHrefs.insert(synced.href);
            m_knownItems.insert(synced.itemId);
        }
    }

    SyncPlan Make()
    {
        for (std::size_t i = 0; i < m_state.cards.size(); ++i)
            PlanKnown(i, m_state.cards[i]);
        for (const auto& [href, body] : m_remote.bodies)
            if (!Knows(href))
                PlanNewCard(body);
        for (const auto& [id, card] : m_local.byId)
            if (!m_paired.count(id) && !KnowsItem(id))
                m_plan.upload.push_back(Step(SyncStepKind::PutNew, card));
        for (const LocalCard& card : m_local.unnumbered)
            m_plan.upload.push_back(Step(SyncStepKind::PutNew, card));
        return std::move(m_plan);
    }

private:
    bool Knows(const std::string& href) const { return m_knownHrefs.count(href) != 0; }
    bool KnowsItem(std::int32_t id) const { return m_knownItems.count(id) != 0; }

    static SyncStep Step(SyncStepKind kind, const LocalCard& card)
    {
        return {kind, card.id, {}, {}, {}, {}, {}, card.fields, card.version, card.name};
    }
    static SyncStep Step(SyncStepKind kind, const SyncedCard& synced, const DavResource* body = nullptr)
    {
        SyncStep step{kind, synced.itemId, synced.href, synced.etag, synced.uid, synced.card, {}, {}, {}, {}};
        if (body) {
            step.etag = body->etag;
            step.card = body->card;
        }
        step.name = CardName(step.card);
        return step;
    }

    void PlanKnown(std::size_t index, const SyncedCard& synced)
    {
        const LocalCard* local = m_local.Find(synced.itemId);
        if (local && local->unchanged)
            return;
        const auto body = m_remote.bodies.find(synced.href);
        const DavResource* changed = body == m_remote.bodies.end() ? nullptr : &body->second;
        const bool removed = m_remote.removed.count(synced.href) != 0;
        if (!local && changed)
            local = MadeFrom(synced.href);
        if (!local) {
            if (removed)
                m_plan.download.push_back(Step(SyncStepKind::Forget, synced));
            else if (changed && CardWithValuesHeld(changed->card) != synced.card)
                PlanBackHere(synced, *changed);
            else
                PlanDeleteThere(synced, changed);
            return;
        }
        const CardFields agreed = ServerFields(synced.card, local->version, m_slots);
        const CardFields fields = WithAgreedDates(local->fields, agreed);
        const bool changedHere = fields != agreed;
        if (removed)
            PlanRemovedThere(synced, *local, changedHere);
        else if (changed)
            PlanBothWays(synced, *local, fields, agreed, *changed);
        else if (changedHere)
            m_plan.upload.push_back(Step(SyncStepKind::PutChanged, *local));
        else if (local->digest != synced.agreed)
            m_plan.agreements.emplace_back(index, local->digest);
    }

    // An item made from the card at href that the state does not know: the run that made it did
    // not live to note it. It takes the place of the item the state names.
    const LocalCard* MadeFrom(const std::string& href)
    {
        for (const std::int32_t id : CardItemIdsOf(m_state.salt, href)) {
            const LocalCard* card = m_local.Find(id);
            if (card && !KnowsItem(card->id) && !m_paired.count(card->id)) {
                m_paired.insert(card->id);
                return card;
            }
        }
        return nullptr;
    }

    // Deleted here. A card the server only gave a new ETag is still the agreed one: the state
    // learns the ETag first, which the DELETE names.
    void PlanDeleteThere(const SyncedCard& synced, const DavResource* sameCard)
    {
        if (sameCard)
            m_plan.download.push_back(Step(SyncStepKind::Agree, synced, sameCard));
        m_plan.upload.push_back(Step(SyncStepKind::DeleteThere, synced));
    }

    // Deleted here, changed on the server: the change wins and the item comes back.
    void PlanBackHere(const SyncedCard& synced, const DavResource& body)
    {
        SyncStep step = Step(SyncStepKind::CreateHere, synced, &body);
        step.apply = body.card;
        m_plan.download.push_back(std::move(step));
    }

    void PlanRemovedThere(const SyncedCard& synced, const LocalCard& local, bool changedHere)
    {
        // A change wins over a delete: the item goes up again.
        if (changedHere) {
            m_plan.download.push_back(Step(SyncStepKind::ServerLost, synced));
            m_plan.upload.push_back(Step(SyncStepKind::PutNew, local));
            return;
        }
        SyncStep step = Step(SyncStepKind::DeleteHere, synced);
        step.expected = local.fields;
        step.version = local.version;
        step.name = local.name;
        m_plan.download.push_back(std::move(step));
    }

    // fields: the item's, its advanced dates read as the agreed ones.
    void PlanBothWays(const SyncedCard& synced, const LocalCard& local, const CardFields& fields,
                      const CardFields& agreed, const DavResource& body)
    {
        PlanMerge(Step(SyncStepKind::Agree, synced, &body), local, fields, agreed,
                  ServerFields(body.card, local.version, m_slots));
    }

    // step: the server's card, and what to do when the merge leaves the item as it is.
    void PlanMerge(SyncStep step, const LocalCard& local, const CardFields& fields, const CardFields& agreed,
                   const CardFields& server)
    {
        const CardMerge merge = MergeCardFields(agreed, fields, server);
        step.itemId = local.id;
        step.expected = local.fields;
        step.version = local.version;
        step.name = local.name;
        if (merge.fields != fields) {
            step.kind = SyncStepKind::UpdateHere;
            step.apply = merge.fields == server ? step.card : MergedCard(step.card, server, merge.fields, local.version);
        }
        if (!merge.conflicts.empty())
            m_plan.conflicts.push_back(step.name);
        m_plan.download.push_back(std::move(step));
        if (merge.fields != server)
            m_plan.upload.push_back(Step(SyncStepKind::PutChanged, local));
    }

    // The server's card with the merged fields, whose added lines are in the form of version.
    std::string MergedCard(const std::string& card, const CardFields& server, const CardFields& merged,
                           const std::string& fieldsVersion) const
    {
        const std::string version = PatchVersion(card, fieldsVersion);
        return WriteCardText(PatchCard(ParseCardLines(card), server, merged, version, m_slots), version);
    }

    // A card the state does not know: one that an earlier run uploaded or took and did not live to
    // note (its UID names an item here, or it gave an item here its identifier, or its fields are
    // an item's that the state does not know either), else a new contact.
    void PlanNewCard(const DavResource& body)
    {
        const CardFields fields = ServerFields(body.card, m_state.version, m_slots);
        const std::string uid = CardUid(body.card);
        const LocalCard* partner = nullptr;
        for (const auto& [id, card] : m_local.byId) {
            if (m_paired.count(id) || KnowsItem(id))
                continue;
            const bool named = uid == ItemUid(m_state.salt, id) || IsCardItemId(m_state.salt, body.href, id);
            if (named || card.fields == fields) {
                partner = &card;
                if (named)
                    break;
            }
        }
        SyncStep step{SyncStepKind::CreateHere, 0, body.href, body.etag, uid, body.card, body.card, {}, {}, {}};
        step.name = CardName(body.card);
        if (partner) {
            m_paired.insert(partner->id);
            step.kind = SyncStepKind::Pair;
            step.itemId = partner->id;
            // Taken by that run, the card and the item may both have changed since, from a card
            // neither knows any more: both sides' values are kept.
            if (uid != ItemUid(m_state.salt, partner->id) && partner->fields != fields)
                return PlanMerge(std::move(step), *partner, partner->fields, {}, fields);
            if (partner->fields != fields)
                m_plan.upload.push_back(Step(SyncStepKind::PutChanged, *partner));
        }
        m_plan.download.push_back(std::move(step));
    }

    const SyncState& m_state;
    const LocalCards& m_local;
    const RemoteChanges& m_remote;
    const CategoryNames& m_slots;
    SyncPlan m_plan;
    std::set<std::int32_t> m_paired;
    std::set<std::string> m_knownHrefs;
    std::set<std::int32_t> m_knownItems;
};

std::vector<std::string> NamesOf(const std::vector<SyncStep>& steps, SyncStepKind kind)
{
    std::vector<std::string> names;
    for (const SyncStep& step : steps)
        if (step.kind == kind)
            names.push_back(step.name);
    return names;
}

bool TooMany(std::size_t deletes, std::size_t count)
{
    return deletes > 0 && (deletes * 2 > count || deletes >= count);
}
} // namespace

std::vector<std::string> SyncPlan::DeletedHere() const
{
    return NamesOf(download, SyncStepKind::DeleteHere);
}

std::vector<std::string> SyncPlan::DeletedThere() const
{
    return NamesOf(upload, SyncStepKind::DeleteThere);
}

bool SyncPlan::NeedsLeaveToDelete(std::size_t localCount, std::size_t serverCount) const
{
    return TooMany(DeletedHere().size(), localCount) || TooMany(DeletedThere().size(), serverCount);
}

SyncPlan MakeSyncPlan(const SyncState& state, const LocalCards& local, const RemoteChanges& remote,
                      const CategoryNames& slots)
{
    return Planner(state, local, remote, slots).Make();
}

std::string CardName(const std::string& card)
{
    for (const CardLine& line : ParseCardLines(card))
        if (line.name == "FN")
            return std::string(TrimBlanks(ReadableValue(line)));
    return CardUid(card);
}

std::string CardUid(const std::string& card)
{
    for (const CardLine& line : ParseCardLines(card))
        if (line.name == "UID")
            return UnescapeCardText(line.value);
    return {};
}

} // namespace quillary
