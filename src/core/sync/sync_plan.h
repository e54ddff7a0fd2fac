// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"
#include "sync/card_fields.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quillary {

struct LocalCards;
struct RemoteChanges;
struct SyncState;

enum class SyncStepKind {
    CreateHere, // a card new on the server (or changed there and deleted here) becomes an item
    UpdateHere, // the item takes the server's card, or the merge of both sides
    DeleteHere, // deleted on the server, unchanged here
    Agree,      // the server's card says what the item says: only the state learns it
    Pair,       // an item and a card the state did not know are one contact
    Forget,     // deleted on both sides
    ServerLost, // deleted on the server, changed here: it goes up again as new
    PutNew,     // an item new here (or lost by the server) goes up
    PutChanged, // an item changed here goes up over the agreed card
    DeleteThere // deleted here, unchanged on the server
};

// One step of a run. Steps that change the tree carry the item's fields from the snapshot, and
// are left for the next run when the item no longer has them.
struct SyncStep
{
    SyncStepKind kind;
    std::int32_t itemId = 0;
    std::string href;
    std::string etag;
    std::string uid;
    std::string card;  // the server's card, agreed once the step is done
    std::string apply; // the card the item takes (CreateHere, UpdateHere)
    CardFields expected;
    std::string version; // the version expected is written in
    std::string name;    // the contact, for people
};

struct SyncPlan
{
    std::vector<SyncStep> download; // changes here and to the state, from what the server said
    std::vector<SyncStep> upload;   // requests to the server, made after the download steps
    std::vector<std::string> conflicts;
    // Cards of the state (by position) found agreeing with their items, with the items' agreement
    // digests: nothing needs doing about them, and the next run need not read them.
    std::vector<std::pair<std::size_t, std::uint64_t>> agreements;

    std::vector<std::string> DeletedHere() const;
    std::vector<std::string> DeletedThere() const;
    // Deleting more than half of a side's contacts, or all of them, needs the user's leave.
    bool NeedsLeaveToDelete(std::size_t localCount, std::size_t serverCount) const;
};

// What to do about every contact, from the snapshot, the state and the server's changes (bodies
// fetched), with the categories the slots name. Makes no change anywhere.
SyncPlan MakeSyncPlan(const SyncState& state, const LocalCards& local, const RemoteChanges& remote,
                      const CategoryNames& slots);

// The UID a card's text names, or empty text.
std::string CardUid(const std::string& card);
// The contact a card names, for people: its FN, else its UID.
std::string CardName(const std::string& card);

} // namespace quillary
