// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"
#include "sync/card_fields.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TPartyObject;
class TreeNode;
struct RemoteChanges;
struct SyncState;

// One person or organization below the synced node, with the fields of its card when the
// snapshot was taken.
struct LocalCard
{
    std::int32_t id = 0;
    std::string name; // the item's title
    CardFields fields; // not read when unchanged
    // The version the fields are written in: the agreed card's own, so that what the tree adds to
    // another client's card takes that card's form; the account's for an item new here.
    std::string version;
    // AgreementDigest of the item and its agreed card; 0 for an item the state does not know.
    std::uint64_t digest = 0;
    // The digest is the one the state kept from a run that found both agreeing, and the server
    // sent nothing new of the card: nothing to do, and the fields were not read.
    bool unchanged = false;
};

// The persons and organizations below the synced node (the node itself is the book's container),
// by identifier. Taken in one piece of tree work: the plan made from it never reads the tree.
struct LocalCards
{
    std::map<std::int32_t, LocalCard> byId;
    // Items that share the identifier of another one and are not the item the state knows under
    // it; a run that may change the tree gives them fresh identifiers first (see Renumber).
    std::vector<LocalCard> unnumbered;

    std::size_t Count() const { return byId.size() + unnumbered.size(); }
    const LocalCard* Find(std::int32_t id) const;
};

// Gives each item below node that shares its identifier with another one there a fresh one,
// except the item the state knows under that identifier (the first in tree order when it knows
// none of them). Synchronisation needs each item's identity; the result counts the renumbered.
int RenumberSharedIds(TreeNode& node, const SyncState& state, const CategoryNames& slots);

// Taken once the server's changes are known, whose cards are read whatever their digests say.
LocalCards SnapshotLocalCards(TreeNode& node, const SyncState& state, const RemoteChanges& remote,
                              const CategoryNames& slots);

// A digest of the card the item writes, the names of its categories and the card agreed for it.
// Reading an item and a card to compare them is most of a run's work; when both give the digest
// they gave on a run that found them agreeing, neither has changed since.
std::uint64_t AgreementDigest(const TPartyObject& item, std::string_view version, std::string_view agreedCard,
                              const CategoryNames& slots);

// The persons and organizations below node by identifier (the first in tree order of those that
// share one).
std::map<std::int32_t, TPartyObject*> PartiesById(TreeNode& node);

// The identifiers an item made from the card at href may be given, the first no other item has
// (an item moved out of the synced folder may keep an earlier one): a run that saved the item and
// did not live to save the state leaves the next one an item it can tell as the card's.
using CardItemIds = std::array<std::int32_t, 8>;
CardItemIds CardItemIdsOf(std::string_view salt, std::string_view href);
bool IsCardItemId(std::string_view salt, std::string_view href, std::int32_t id);

// "<salt>-<item identifier>", and the href of an item's card: the book's path and the UID + ".vcf".
std::string ItemUid(std::string_view salt, std::int32_t itemId);
std::string CardHref(std::string_view bookUrl, std::string_view uid);

// The identifiers from the root down to node, and the node they lead to (none when one is missing).
std::vector<std::int32_t> NodeIds(const TreeNode& node);
TreeNode* FindNodeByIds(TreeNode& root, const std::vector<std::int32_t>& ids);

} // namespace quillary
