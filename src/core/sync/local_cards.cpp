// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/local_cards.h"

#include "model/item_kind.h"
#include "model/items_party.h"
#include "model/tree_walk.h"
#include "sync/card_categories.h"
#include "sync/card_mapping.h"
#include "sync/card_patch.h"
#include "sync/remote_changes.h"
#include "sync/sync_state.h"

#include <algorithm>

namespace quillary {

namespace {
// The persons and organizations below node, in tree order.
std::vector<TPartyObject*> PartiesBelow(TreeNode& node)
{
    std::vector<TPartyObject*> parties;
    ForEachInSubtree(node, [&](TreeNode& each) {
        const int kind = each.Data()->GetKind();
        if (&each != &node && (kind == KindPerson || kind == KindOrganization))
            parties.push_back(static_cast<TPartyObject*>(each.Data()));
    });
    return parties;
}

// Of items sharing an identifier, the one the state's card describes: the one whose fields are
// still the agreed card's, else the first.
TPartyObject* Keeper(const std::vector<TPartyObject*>& sharing, const SyncState& state, const CategoryNames& slots)
{
    const auto known = std::find_if(state.cards.begin(), state.cards.end(),
                                    [&](const SyncedCard& card) { return card.itemId == sharing.front()->GetID(); });
    if (known == state.cards.end())
        return sharing.front();
    const CardFields agreed = ServerFields(known->card, state.version, slots);
    const auto same = std::find_if(sharing.begin(), sharing.end(),
                                   [&](const TPartyObject* item) { return LocalFields(*item, state.version, slots) == agreed; });
    return same == sharing.end() ? sharing.front() : *same;
}
} // namespace

const LocalCard* LocalCards::Find(std::int32_t id) const
{
    const auto it = byId.find(id);
    return it == byId.end() ? nullptr : &it->second;
}

int RenumberSharedIds(TreeNode& node, const SyncState& state, const CategoryNames& slots)
{
    std::map<std::int32_t, std::vector<TPartyObject*>> byId;
    for (TPartyObject* party : PartiesBelow(node))
        byId[party->GetID()].push_back(party);
    int renumbered = 0;
    for (const auto& [id, sharing] : byId) {
        if (sharing.size() < 2)
            continue;
        const TPartyObject* keeper = Keeper(sharing, state, slots);
        for (TPartyObject* item : sharing) {
            if (item != keeper) {
                item->DrawNewID();
                ++renumbered;
            }
        }
    }
    return renumbered;
}

LocalCards SnapshotLocalCards(TreeNode& node, const SyncState& state, const RemoteChanges& remote,
                              const CategoryNames& slots)
{
    std::map<std::int32_t, const SyncedCard*> known;
    for (const SyncedCard& synced : state.cards)
        known.try_emplace(synced.itemId, &synced);
    LocalCards cards;
    for (TPartyObject* party : PartiesBelow(node)) {
        LocalCard fresh{party->GetID(), party->GetTitle(), {}, state.version, 0, false};
        const auto [entry, first] = cards.byId.try_emplace(party->GetID(), fresh);
        LocalCard& card = first ? entry->second : cards.unnumbered.emplace_back(std::move(fresh));
        const auto synced = first ? known.find(party->GetID()) : known.end();
        if (synced != known.end()) {
            const SyncedCard& agreed = *synced->second;
            card.version = PatchVersion(agreed.card, state.version);
            card.digest = AgreementDigest(*party, state.version, agreed.card, slots);
            card.unchanged = card.digest == agreed.agreed && !remote.changed.count(agreed.href) &&
                             !remote.removed.count(agreed.href);
        }
        if (!card.unchanged)
            card.fields = LocalFields(*party, card.version, slots);
    }
    return cards;
}

std::uint64_t AgreementDigest(const TPartyObject& item, std::string_view version, std::string_view agreedCard,
                              const CategoryNames& slots)
{
    // The revision of the way cards are compared: a program that compares differently starts afresh.
    constexpr std::string_view Revision = "2";
    std::uint64_t digest = TextChecksum(Revision);
    digest = TextChecksum(std::to_string(item.GetKind()) + "\n", digest);
    digest = TextChecksum(ItemCardText(item, version), digest);
    for (const std::string& name : CategoryNamesOf(item.GetCategories(), slots))
        digest = TextChecksum(name + "\n", digest);
    return TextChecksum(agreedCard, digest);
}

std::map<std::int32_t, TPartyObject*> PartiesById(TreeNode& node)
{
    std::map<std::int32_t, TPartyObject*> parties;
    for (TPartyObject* party : PartiesBelow(node))
        parties.try_emplace(party->GetID(), party);
    return parties;
}

CardItemIds CardItemIdsOf(std::string_view salt, std::string_view href)
{
    CardItemIds ids{};
    const auto seed = TextChecksum(salt);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const auto id = static_cast<std::int32_t>(TextChecksum(href, seed + i) & 0x7FFFFFFF);
        ids[i] = id == 0 ? 1 : id;
    }
    return ids;
}

bool IsCardItemId(std::string_view salt, std::string_view href, std::int32_t id)
{
    const CardItemIds ids = CardItemIdsOf(salt, href);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::string ItemUid(std::string_view salt, std::int32_t itemId)
{
    return std::string(salt) + "-" + std::to_string(itemId);
}

std::string CardHref(std::string_view bookUrl, std::string_view uid)
{
    // The path of an absolute URL: what follows "scheme://host[:port]".
    std::string_view path = bookUrl;
    if (const std::size_t scheme = path.find("://"); scheme != std::string_view::npos) {
        const std::size_t slash = path.find('/', scheme + 3);
        path = slash == std::string_view::npos ? std::string_view("/") : path.substr(slash);
    }
    std::string href(path);
    if (href.empty() || href.back() != '/')
        href += '/';
    return href + std::string(uid) + ".vcf";
}

std::vector<std::int32_t> NodeIds(const TreeNode& node)
{
    std::vector<std::int32_t> ids;
    for (const TreeNode* each = &node; each; each = each->Parent())
        ids.push_back(each->Data()->GetID());
    std::reverse(ids.begin(), ids.end());
    return ids;
}

TreeNode* FindNodeByIds(TreeNode& root, const std::vector<std::int32_t>& ids)
{
    if (ids.empty() || root.Data()->GetID() != ids.front())
        return nullptr;
    TreeNode* node = &root;
    for (std::size_t level = 1; level < ids.size() && node; ++level) {
        TreeNode* next = nullptr;
        for (int i = 0; i < node->ChildCount() && !next; ++i)
            if (node->ChildAt(i)->Data()->GetID() == ids[level])
                next = node->ChildAt(i);
        node = next;
    }
    return node;
}

} // namespace quillary
