// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_apply.h"

#include "model/create_item.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_mapping.h"
#include "sync/local_cards.h"
#include "sync/sync_plan.h"
#include "sync/sync_run.h"
#include "sync/sync_state.h"

#include <algorithm>

namespace quillary {

namespace {
class DownloadApplier
{
public:
    DownloadApplier(TreeNode& node, SyncState& state, SyncReport& report, const std::string& version)
        : m_node(node), m_state(state), m_report(report), m_items(PartiesById(node)), m_projector(version)
    {
    }

    void Apply(const SyncStep& step)
    {
        switch (step.kind) {
        case SyncStepKind::CreateHere:
            return Create(step);
        case SyncStepKind::UpdateHere:
            return Update(step);
        case SyncStepKind::DeleteHere:
            return Delete(step);
        case SyncStepKind::Agree:
            return Agree(step);
        case SyncStepKind::Pair:
            m_state.cards.push_back({step.itemId, step.uid, step.href, step.etag, step.card});
            return;
        case SyncStepKind::Forget:
            return Forget(step.href);
        case SyncStepKind::ServerLost:
            if (SyncedCard* synced = m_state.FindHref(step.href))
                synced->etag.clear();
            return;
        default:
            return;
        }
    }

private:
    // The item, when it still has the fields the plan saw.
    TPartyObject* Unchanged(const SyncStep& step)
    {
        const auto it = m_items.find(step.itemId);
        if (it == m_items.end() || LocalFields(*it->second, m_projector) != step.expected) {
            m_report.leftForNextRun.push_back(step.name);
            return nullptr;
        }
        return it->second;
    }

    void Create(const SyncStep& step)
    {
        TPartyObject& item = CreateItemFromCard(m_node, step.apply);
        m_items[item.GetID()] = &item;
        SyncedCard* synced = m_state.FindHref(step.href);
        if (!synced)
            synced = &m_state.cards.emplace_back();
        *synced = {item.GetID(), step.uid, step.href, step.etag, step.card};
        ++m_report.hereNew;
    }

    void Update(const SyncStep& step)
    {
        TPartyObject* item = Unchanged(step);
        if (!item)
            return;
        m_items[step.itemId] = &ApplyCardToItem(*item, step.apply);
        Agree(step);
        ++m_report.hereChanged;
    }

    void Delete(const SyncStep& step)
    {
        TPartyObject* item = Unchanged(step);
        if (!item)
            return;
        m_items.erase(step.itemId);
        DestroyItem(*item);
        Forget(step.href);
        ++m_report.hereDeleted;
    }

    void Agree(const SyncStep& step)
    {
        if (SyncedCard* synced = m_state.FindHref(step.href)) {
            synced->card = step.card;
            synced->etag = step.etag;
        }
    }

    void Forget(const std::string& href)
    {
        std::erase_if(m_state.cards, [&](const SyncedCard& synced) { return synced.href == href; });
    }

    TreeNode& m_node;
    SyncState& m_state;
    SyncReport& m_report;
    std::map<std::int32_t, TPartyObject*> m_items;
    CardProjector m_projector;
};
} // namespace

void ApplyDownloads(const SyncPlan& plan, const std::string& syncToken, TreeNode& node, SyncState& state,
                    SyncStore& store, const SyncOptions& options, SyncReport& report)
{
    DownloadApplier applier(node, state, report, state.version);
    ItemTree& tree = node.Tree();
    const std::size_t batch = std::max<std::size_t>(options.batchSize, 1);
    for (std::size_t first = 0; first < plan.download.size(); first += batch) {
        {
            // New items are titled after they are made: the folder is sorted once a batch.
            TreeUpdateGuard update(tree);
            DeferredSort sort(tree, node);
            const std::size_t end = std::min(plan.download.size(), first + batch);
            for (std::size_t i = first; i < end; ++i)
                applier.Apply(plan.download[i]);
        }
        store.SaveTree();
        store.SaveState(state);
        if (options.progress)
            options.progress("applied " + std::to_string(std::min(plan.download.size(), first + batch)) + " of " +
                             std::to_string(plan.download.size()) + " changes from the server");
    }
    // A run that found nothing new writes nothing.
    if (state.syncToken != syncToken) {
        state.syncToken = syncToken;
        store.SaveState(state);
    }
}

} // namespace quillary
