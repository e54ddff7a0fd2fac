// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <cstdint>
#include <vector>

namespace quillary {

class ItemTree;
class TReminderObject;

// Every reminder of the tree, owners in tree order, each owner's reminders in list order.
std::vector<TReminderObject*> AllReminders(ItemTree& tree);

// The reminders whose due marker is set, in the same order; only the nodes that count due items
// at or below them are visited, so a large tree with few due reminders is read in a moment.
std::vector<TReminderObject*> MarkedReminders(ItemTree& tree);

// Sets every reminder's due marker from the tree's clock, as a new day needs: a marker is
// otherwise only worked out when a reminder is read, edited or advanced. Returns the reminders
// whose marker was set or cleared.
std::vector<TReminderObject*> RefreshDueMarkers(ItemTree& tree);

// The reminders whose date is on or before today plus days (overdue ones too), by date; those of
// one date keep their tree order.
std::vector<TReminderObject*> DueWithin(ItemTree& tree, std::int64_t days);

// A reminder found again after the user may have changed the tree: its identifier, first in tree
// order; none when it has gone.
TReminderObject* FindReminder(ItemTree& tree, std::int32_t id);

} // namespace quillary
