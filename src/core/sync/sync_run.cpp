// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_run.h"

#include "dav/url_parts.h"
#include "model/item_tree.h"
#include "sync/card_mapping.h"
#include "sync/local_cards.h"
#include "sync/remote_changes.h"
#include "sync/sync_apply.h"
#include "sync/sync_book.h"
#include "sync/sync_plan.h"
#include "sync/sync_state.h"
#include "sync/sync_tree.h"
#include "sync/sync_upload.h"

namespace quillary {

namespace {
// The address book at the state's URL, found once and remembered. One recorded on another server
// (where an earlier version followed a redirect) is not used: the user confirms it by giving it.
DavStatus FindBook(DavTransport& transport, SyncState& state)
{
    if (ParseUrl(state.bookUrl) && ParseUrl(state.url) && !SameOrigin(state.bookUrl, state.url)) {
        DavStatus moved{DavFailure::Moved, 0,
                        state.url + ": the address book was found at " + state.bookUrl +
                            ", on another server; confirm the new address by giving it",
                        {}};
        moved.movedTo = state.bookUrl;
        return moved;
    }
    if (!state.bookUrl.empty())
        return {};
    DavAddressBook chosen;
    const DavStatus status = FindSyncBook(transport, state.url, chosen);
    if (!status.Ok())
        return status;
    state.bookUrl = chosen.url;
    state.version = chosen.vcard4 ? "4.0" : "3.0";
    state.syncTokens = chosen.syncTokens;
    return status;
}

void Tell(const SyncOptions& options, const std::string& text)
{
    if (options.progress)
        options.progress(text);
}

void DescribePlan(const SyncPlan& plan, SyncReport& report)
{
    for (const SyncStep& step : plan.download) {
        report.hereNew += step.kind == SyncStepKind::CreateHere;
        report.hereChanged += step.kind == SyncStepKind::UpdateHere;
        report.hereDeleted += step.kind == SyncStepKind::DeleteHere;
    }
    for (const SyncStep& step : plan.upload) {
        report.serverNew += step.kind == SyncStepKind::PutNew;
        report.serverChanged += step.kind == SyncStepKind::PutChanged;
        report.serverDeleted += step.kind == SyncStepKind::DeleteThere;
    }
    report.conflicts = plan.conflicts;
}

// Before any step changes the state's cards, whose positions the plan gives.
bool RecordAgreements(const SyncPlan& plan, SyncState& state)
{
    for (const auto& [index, digest] : plan.agreements)
        state.cards[index].agreed = digest;
    return !plan.agreements.empty();
}

SyncReport Failed(const DavStatus& status)
{
    SyncReport report;
    report.outcome = SyncReport::Outcome::Failed;
    report.failure = status;
    return report;
}

SyncReport RunOn(DavTransport& transport, SyncState& state, SyncTree& tree, SyncStore& store, const SyncOptions& options)
{
    const bool bookKnown = !state.bookUrl.empty();
    if (const DavStatus found = FindBook(transport, state); !found.Ok())
        return Failed(found);
    // A new state (its salt, which the cards' UIDs come from) is kept before anything is sent.
    if (!options.dryRun && !bookKnown)
        store.SaveState(state);
    if (!options.dryRun)
        tree.Run([&](TreeNode& node) {
            if (RenumberSharedIds(node, state) > 0)
                store.SaveTree();
        });
    const DavAddressBook book{state.bookUrl, {}, state.version == "4.0", state.syncTokens};
    RemoteChanges remote;
    Tell(options, "listing " + state.bookUrl);
    DavStatus status = ListRemoteChanges(transport, book, state, remote);
    if (status.Ok())
        status = FetchChangedCards(transport, book, options.batchSize, remote, [&](std::size_t count) {
            Tell(options, "fetched " + std::to_string(count) + " of " + std::to_string(remote.changed.size()));
        });
    if (!status.Ok())
        return Failed(status);
    LocalCards local;
    tree.Run([&](TreeNode& node) { local = SnapshotLocalCards(node, state, remote); });
    const SyncPlan plan = MakeSyncPlan(state, local, remote);
    SyncReport report;
    report.refused = remote.refused;
    if (plan.NeedsLeaveToDelete(local.Count(), remote.serverCount) && !options.allowMassDelete) {
        report.outcome = SyncReport::Outcome::MassDeleteRefused;
        report.deletesHere = plan.DeletedHere();
        report.deletesThere = plan.DeletedThere();
        return report;
    }
    if (options.dryRun) {
        DescribePlan(plan, report);
        return report;
    }
    if (RecordAgreements(plan, state))
        store.SaveState(state);
    const bool applied = ApplyDownloads(plan, remote.syncToken, tree, state, store, options, report);
    report.conflicts = plan.conflicts;
    if (applied)
        Uploader(transport, state, tree, store, options, report).Run(plan.upload);
    return report;
}
} // namespace

SyncReport RunSync(DavTransport& transport, SyncState& state, TreeNode& node, SyncStore& store,
                   const SyncOptions& options)
{
    if (options.treeAccess)
        return RunSync(transport, state, node.Tree(), NodeIds(node), store, options);
    SyncTree tree(node);
    return RunOn(transport, state, tree, store, options);
}

SyncReport RunSync(DavTransport& transport, SyncState& state, ItemTree& itemTree, const std::vector<std::int32_t>& nodeIds,
                   SyncStore& store, const SyncOptions& options)
{
    try {
        SyncTree tree(itemTree, nodeIds, options.treeAccess);
        return RunOn(transport, state, tree, store, options);
    } catch (const SyncNodeGone&) {
        return Failed({DavFailure::NotFound, 0,
                       "the synchronised folder is no longer in the tree; choose another one for this account", {}});
    }
}

} // namespace quillary
