// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dav/dav_transport.h"
#include "model/category_names.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace quillary {

class SyncTree;
struct RemoteChanges;
struct SyncPlan;
struct SyncReport;
struct SyncState;

// A book's group cards meet the categories: a group is the category of its name, and its members
// are the items whose cards it lists by UID. Group cards are never items; they are only changed
// by their member lists, and never deleted here (an empty group stays).

// The names of the groups new or changed on the server, so that free slots can be found for them.
std::vector<std::string> ChangedGroupNames(const RemoteChanges& remote);

// Members of groups by UID: the categories they are to get.
using GroupCategories = std::map<std::string, std::int32_t>;

// Inside a piece of tree work: takes what another client changed in the groups since the state's
// copies into the items the state knows (a member added gets the group's category, one taken out
// loses it, a group gone takes its category from every member it had) and keeps the copies in the
// state. A group whose name no slot carries waits, untaken. Returns the categories for members
// the state does not know yet (cards new on the server this run).
GroupCategories TakeGroupChanges(const RemoteChanges& remote, SyncState& state, SyncTree& tree,
                                 const CategoryNames& slots);

// Gives the cards new on the server the categories of the groups that list them, as they become items.
void AddGroupCategories(SyncPlan& plan, const GroupCategories& members, const CategoryNames& slots);

// Makes each group card list the items that carry its category (members this run does not know
// stay listed), sending those whose list changed. One another client changed meanwhile is left
// for the next run.
DavStatus SendGroupMembers(DavTransport& transport, SyncState& state, SyncTree& tree, const CategoryNames& slots,
                           SyncReport& report);

} // namespace quillary
