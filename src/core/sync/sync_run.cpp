// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_run.h"

#include "dav/url_parts.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"
#include "sync/card_categories.h"
#include "sync/card_mapping.h"
#include "sync/local_cards.h"
#include "sync/remote_changes.h"
#include "sync/sync_apply.h"
#include "sync/sync_book.h"
#include "sync/sync_groups.h"
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

// The categories every item of the tree carries, details included.
std::int32_t CategoriesInUse(TreeNode& node)
{
    std::int32_t bits = 0;
    ForEachInSubtree(node.Tree().Root(), [&](TreeNode& each) {
        const TKPXObject& item = *each.Data();
        bits |= item.GetCategories();
        for (int i = 0; i < item.ChildCount(); ++i)
            bits |= item.ChildAt(i)->GetCategories();
    });
    return bits;
}

// Names the server's cards bring that no slot carries take free slots, saved before any item
// carries them; the run goes on with the names as they are then.
void PlaceNewCategories(const RemoteChanges& remote, SyncTree& tree, SyncStore& store, SyncOptions& run,
                        SyncReport& report)
{
    std::vector<std::string> names = ChangedGroupNames(remote);
    for (const auto& [href, body] : remote.bodies)
        for (std::string& name : CardCategoryNames(ParseCardLines(body.card)))
            names.push_back(std::move(name));
    std::erase_if(names, [&](const std::string& name) { return CategorySlot(name, run.categories) >= 0; });
    if (names.empty())
        return;
    std::int32_t inUse = 0;
    tree.Run([&](TreeNode& node) { inUse = CategoriesInUse(node); });
    const CategoryNames before = run.categories;
    report.noSlot = PlaceCategoryNames(names, inUse, run.categories);
    for (std::size_t slot = 0; slot < before.size(); ++slot)
        if (run.categories[slot] != before[slot])
            report.newCategories.push_back(run.categories[slot]);
    if (!report.newCategories.empty() && !run.dryRun)
        store.SaveCategoryNames(run.categories);
}

bool GroupsChanged(const RemoteChanges& remote, const SyncState& state)
{
    return !remote.groups.empty() || !remote.removedGroups.empty() ||
           std::any_of(state.groups.begin(), state.groups.end(),
                       [&](const SyncedCard& group) { return remote.bodies.count(group.href) != 0; });
}

// What other clients changed in the groups reaches the items before they are read, so that the
// plan sends their cards with the categories; the tree is saved before the state that knows it.
GroupCategories TakeGroups(const RemoteChanges& remote, SyncState& state, SyncTree& tree, SyncStore& store,
                           const SyncOptions& options)
{
    GroupCategories pending;
    if (options.dryRun || !GroupsChanged(remote, state))
        return pending;
    tree.Run([&](TreeNode&) {
        pending = TakeGroupChanges(remote, state, tree, options.categories);
        store.SaveTree();
    });
    store.SaveState(state);
    return pending;
}

void SendGroups(DavTransport& transport, SyncState& state, SyncTree& tree, SyncStore& store,
                const SyncOptions& options, SyncReport& report)
{
    if (report.outcome != SyncReport::Outcome::Done || state.groups.empty())
        return;
    const DavStatus status = SendGroupMembers(transport, state, tree, options.categories, report);
    if (!status.Ok()) {
        report.outcome = SyncReport::Outcome::Failed;
        report.failure = status;
    }
    store.SaveState(state);
}

SyncReport RunOn(DavTransport& transport, SyncState& state, SyncTree& tree, SyncStore& store,
                 const SyncOptions& given)
{
    SyncOptions options = given;
    const bool bookKnown = !state.bookUrl.empty();
    if (const DavStatus found = FindBook(transport, state); !found.Ok())
        return Failed(found);
    // A new state (its salt, which the cards' UIDs come from) is kept before anything is sent.
    if (!options.dryRun && !bookKnown)
        store.SaveState(state);
    if (!options.dryRun)
        tree.Run([&](TreeNode& node) {
            if (RenumberSharedIds(node, state, options.categories) > 0)
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
    SyncReport report;
    report.refused = remote.refused;
    PlaceNewCategories(remote, tree, store, options, report);
    const GroupCategories members = TakeGroups(remote, state, tree, store, options);
    LocalCards local;
    tree.Run([&](TreeNode& node) { local = SnapshotLocalCards(node, state, remote, options.categories); });
    SyncPlan plan = MakeSyncPlan(state, local, remote, options.categories);
    AddGroupCategories(plan, members, options.categories);
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
    if (applied) {
        Uploader(transport, state, tree, store, options, report).Run(plan.upload);
        SendGroups(transport, state, tree, store, options, report);
    }
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
