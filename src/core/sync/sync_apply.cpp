// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_apply.h"

#include "model/create_item.h"
#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/card_mapping.h"
#include "sync/held_values.h"
#include "sync/local_cards.h"
#include "sync/sync_plan.h"
#include "sync/sync_run.h"
#include "sync/sync_report.h"
#include "sync/sync_state.h"
#include "sync/sync_tree.h"

#include <algorithm>
#include <chrono>

namespace quillary {

namespace {
class DownloadApplier
{
public:
    DownloadApplier(SyncTree& tree, SyncState& state, SyncReport& report, const SyncOptions& options)
        : m_tree(tree), m_state(state), m_report(report), m_options(options)
    {
    }

    // Inside a piece of tree work on node.
    void Apply(const SyncStep& step, TreeNode& node)
    {
        switch (step.kind) {
        case SyncStepKind::CreateHere:
            return Create(step, node);
        case SyncStepKind::UpdateHere:
            return Update(step);
        case SyncStepKind::DeleteHere:
            return Delete(step);
        case SyncStepKind::Agree:
            return Agree(step);
        case SyncStepKind::Pair:
            m_state.cards.push_back({step.itemId, step.uid, step.href, step.etag, CardWithValuesHeld(step.card)});
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
    // The item, when it still has the fields the plan saw and is not open for editing.
    TPartyObject* Unchanged(const SyncStep& step)
    {
        TPartyObject* item = m_tree.Item(step.itemId);
        if (item && m_options.busy && m_options.busy(step.itemId)) {
            m_report.Wait(step.name);
            return nullptr;
        }
        if (!item || LocalFields(*item, step.version, m_options.categories) != step.expected) {
            m_report.leftForNextRun.push_back(step.name);
            return nullptr;
        }
        return item;
    }

    void Create(const SyncStep& step, TreeNode& node)
    {
        const CardItemIds ids = CardItemIdsOf(m_state.salt, step.href);
        const auto free =
            std::find_if(ids.begin(), ids.end(), [&](std::int32_t id) { return !node.Tree().Ids().InUse(id); });
        TPartyObject& item = CreateItemFromCard(node, step.apply, m_options.categories, free == ids.end() ? 0 : *free);
        m_tree.Remember(item);
        SyncedCard* synced = m_state.FindHref(step.href);
        if (!synced)
            synced = &m_state.cards.emplace_back();
        *synced = {item.GetID(), step.uid, step.href, step.etag, CardWithValuesHeld(step.card)};
        ++m_report.hereNew;
    }

    void Update(const SyncStep& step)
    {
        TPartyObject* item = Unchanged(step);
        if (!item)
            return;
        m_tree.Remember(ApplyCardToItem(*item, step.apply, m_options.categories)); // a kind changed by the server makes a new item
        Agree(step);
        ++m_report.hereChanged;
    }

    void Delete(const SyncStep& step)
    {
        TPartyObject* item = Unchanged(step);
        if (!item)
            return;
        m_tree.Forget(step.itemId);
        DestroyItem(*item);
        Forget(step.href);
        ++m_report.hereDeleted;
    }

    // The item may be one the state did not know, made from the card by a run that did not live to
    // note it: the state knows it from now on.
    void Agree(const SyncStep& step)
    {
        SyncedCard* synced = m_state.FindHref(step.href);
        if (!synced)
            synced = &m_state.cards.emplace_back(SyncedCard{step.itemId, step.uid, step.href, {}, {}});
        synced->itemId = step.itemId;
        synced->card = CardWithValuesHeld(step.card);
        synced->etag = step.etag;
    }

    void Forget(const std::string& href)
    {
        std::erase_if(m_state.cards, [&](const SyncedCard& synced) { return synced.href == href; });
    }

    SyncTree& m_tree;
    SyncState& m_state;
    SyncReport& m_report;
    const SyncOptions& m_options;
};
} // namespace

bool ApplyDownloads(const SyncPlan& plan, const std::string& syncToken, SyncTree& tree, SyncState& state,
                    SyncStore& store, const SyncOptions& options, SyncReport& report)
{
    using Clock = std::chrono::steady_clock;
    DownloadApplier applier(tree, state, report, options);
    const std::size_t batch = std::max<std::size_t>(options.batchSize, 1);
    Clock::time_point saved = Clock::now();
    bool unsaved = false; // batches applied to the tree since the last save
    for (std::size_t first = 0; first < plan.download.size(); first += batch) {
        if (options.StopRequested()) {
            if (unsaved) {
                tree.Run([&](TreeNode&) { store.SaveTree(); });
                store.SaveState(state);
            }
            report.outcome = SyncReport::Outcome::Stopped;
            return false;
        }
        const std::size_t end = std::min(plan.download.size(), first + batch);
        tree.Run([&](TreeNode& node) {
            {
                // New items are titled after they are made: the folder is sorted once a batch.
                TreeUpdateGuard update(node.Tree());
                DeferredSort sort(node.Tree(), node);
                for (std::size_t i = first; i < end; ++i)
                    applier.Apply(plan.download[i], node);
            }
            // Written in the same piece of work, so the file holds the tree as the batches left it.
            unsaved = end < plan.download.size() && Clock::now() - saved < options.saveInterval;
            if (!unsaved)
                store.SaveTree();
        });
        if (!unsaved) {
            store.SaveState(state);
            saved = Clock::now();
        }
        if (options.progress)
            options.progress("applied " + std::to_string(end) + " of " + std::to_string(plan.download.size()) +
                             " changes from the server");
    }
    // A run that found nothing new writes nothing.
    if (state.syncToken != syncToken && report.waiting.empty()) {
        state.syncToken = syncToken;
        store.SaveState(state);
    }
    return true;
}

} // namespace quillary
