// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_groups.h"

#include "model/items_party.h"
#include "sync/card_categories.h"
#include "sync/group_cards.h"
#include "sync/remote_changes.h"
#include "sync/sync_plan.h"
#include "sync/sync_report.h"
#include "sync/sync_state.h"
#include "sync/sync_tree.h"

#include <algorithm>
#include <set>

namespace quillary {

namespace {
struct Group
{
    int slot = -1;
    std::vector<std::string> members;
};

Group GroupOf(const std::string& card, const CategoryNames& slots)
{
    const std::vector<CardLine> lines = ParseCardLines(card);
    return {CategorySlot(GroupName(lines), slots), GroupMembers(lines)};
}

std::int32_t Bit(int slot)
{
    return static_cast<std::int32_t>(std::uint32_t{1} << slot);
}

// The item identifiers of the state's cards, by the UID members name them with.
std::map<std::string, std::int32_t> ItemsByUid(const SyncState& state)
{
    std::map<std::string, std::int32_t> items;
    for (const SyncedCard& synced : state.cards)
        items.emplace(MemberUid(synced.uid), synced.itemId);
    return items;
}

class GroupChanges
{
public:
    GroupChanges(SyncState& state, SyncTree& tree) : m_tree(tree), m_items(ItemsByUid(state))
    {
    }

    // The members the old copy had and the new one has not lose its category; the new copy's
    // members it did not have get the new one's. A renamed group moves all its members.
    void Take(const Group& before, const Group& after)
    {
        const bool moved = before.slot != after.slot;
        const std::set<std::string> now(after.members.begin(), after.members.end());
        const std::set<std::string> was(before.members.begin(), before.members.end());
        if (before.slot >= 0)
            for (const std::string& uid : before.members)
                if (moved || now.count(uid) == 0)
                    Change(uid, before.slot, false);
        if (after.slot >= 0)
            for (const std::string& uid : after.members)
                if (moved || was.count(uid) == 0)
                    Change(uid, after.slot, true);
    }

    GroupCategories Pending() { return std::move(m_pending); }

private:
    void Change(const std::string& uid, int slot, bool member)
    {
        const auto known = m_items.find(uid);
        TPartyObject* item = known == m_items.end() ? nullptr : m_tree.Item(known->second);
        if (!item) {
            if (member)
                m_pending[uid] |= Bit(slot);
            return;
        }
        const std::int32_t bits = item->GetCategories();
        item->SetCategories(member ? bits | Bit(slot) : bits & ~Bit(slot));
    }

    SyncTree& m_tree;
    std::map<std::string, std::int32_t> m_items;
    GroupCategories m_pending;
};

void ForgetGroup(SyncState& state, const std::string& href)
{
    std::erase_if(state.groups, [&](const SyncedCard& group) { return group.href == href; });
}

SyncedCard* FindGroup(SyncState& state, const std::string& href)
{
    const auto it = std::find_if(state.groups.begin(), state.groups.end(),
                                 [&](const SyncedCard& group) { return group.href == href; });
    return it == state.groups.end() ? nullptr : &*it;
}

// The members a group card is to list: those it lists that are unknown here or carry its
// category, then the other items that carry it.
std::vector<std::string> WantedMembers(const Group& group, const SyncState& state, SyncTree& tree)
{
    std::set<std::string> known, carrying;
    for (const SyncedCard& synced : state.cards) {
        const std::string uid = MemberUid(synced.uid);
        known.insert(uid);
        if (const TPartyObject* item = tree.Item(synced.itemId); item && (item->GetCategories() & Bit(group.slot)))
            carrying.insert(uid);
    }
    std::vector<std::string> wanted;
    for (const std::string& uid : group.members)
        if (known.count(uid) == 0 || carrying.erase(uid) != 0)
            wanted.push_back(uid);
    for (const SyncedCard& synced : state.cards)
        if (carrying.erase(MemberUid(synced.uid)) != 0)
            wanted.push_back(MemberUid(synced.uid));
    return wanted;
}
} // namespace

std::vector<std::string> ChangedGroupNames(const RemoteChanges& remote)
{
    std::vector<std::string> names;
    for (const auto& [href, body] : remote.groups)
        if (std::string name = GroupName(ParseCardLines(body.card)); !name.empty())
            names.push_back(std::move(name));
    return names;
}

GroupCategories TakeGroupChanges(const RemoteChanges& remote, SyncState& state, SyncTree& tree,
                                 const CategoryNames& slots)
{
    GroupChanges changes(state, tree);
    for (const std::string& href : remote.removedGroups) {
        if (const SyncedCard* gone = FindGroup(state, href))
            changes.Take(GroupOf(gone->card, slots), {});
        ForgetGroup(state, href);
    }
    // A group card that another client made a contact's is a group no more.
    for (const auto& [href, body] : remote.bodies) {
        if (const SyncedCard* was = FindGroup(state, href)) {
            changes.Take(GroupOf(was->card, slots), {});
            ForgetGroup(state, href);
        }
    }
    for (const auto& [href, body] : remote.groups) {
        const Group after = GroupOf(body.card, slots);
        SyncedCard* copy = FindGroup(state, href);
        if (after.slot < 0) {
            if (copy)
                changes.Take(GroupOf(copy->card, slots), {});
            ForgetGroup(state, href);
            continue;
        }
        changes.Take(copy ? GroupOf(copy->card, slots) : Group{}, after);
        if (!copy)
            copy = &state.groups.emplace_back();
        *copy = {0, CardUid(body.card), href, body.etag, body.card};
    }
    return changes.Pending();
}

void AddGroupCategories(SyncPlan& plan, const GroupCategories& members, const CategoryNames& slots)
{
    if (members.empty())
        return;
    for (SyncStep& step : plan.download) {
        const auto member = members.find(MemberUid(step.uid));
        if (step.kind != SyncStepKind::CreateHere || member == members.end())
            continue;
        const std::vector<CardLine> lines = ParseCardLines(step.apply);
        const std::int32_t bits = CategoryBitsOf(CardCategoryNames(lines), slots) | member->second;
        step.apply = WriteCardText(WithCategoryLine(lines, bits, slots), CardTextVersion(step.apply));
    }
}

DavStatus SendGroupMembers(DavTransport& transport, SyncState& state, SyncTree& tree, const CategoryNames& slots,
                           SyncReport& report)
{
    std::vector<std::pair<std::size_t, std::string>> changed; // group by position, and its new card
    tree.Run([&](TreeNode&) {
        for (std::size_t i = 0; i < state.groups.size(); ++i) {
            const Group group = GroupOf(state.groups[i].card, slots);
            if (group.slot < 0)
                continue;
            const std::vector<std::string> wanted = WantedMembers(group, state, tree);
            if (std::set(wanted.begin(), wanted.end()) == std::set(group.members.begin(), group.members.end()))
                continue;
            const std::string& card = state.groups[i].card;
            changed.emplace_back(i, WriteCardText(WithGroupMembers(ParseCardLines(card), wanted), CardTextVersion(card)));
        }
    });
    for (const auto& [index, card] : changed) {
        SyncedCard& group = state.groups[index];
        std::string etag;
        const DavStatus status = transport.PutCard(group.href, card, group.etag, etag);
        if (status.failure == DavFailure::PreconditionFailed || status.failure == DavFailure::NotFound) {
            report.leftForNextRun.push_back(GroupName(ParseCardLines(group.card)) + " (group)");
            continue;
        }
        if (!status.Ok())
            return status;
        group.card = card;
        group.etag = etag;
        ++report.serverChanged;
    }
    return {};
}

} // namespace quillary
