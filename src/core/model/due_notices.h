// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <cstdint>
#include <unordered_set>
#include <string>
#include <vector>

namespace quillary {

class ItemTree;
class TReminderObject;

// Which due reminders the user has been told of in this run, so that each is told once for each
// date it comes due on. A reminder is known by its identifier and title, which survive a reload
// of the data file; advancing it gives a new date, which is told again when that comes due.
class DueNoticeLog
{
public:
    // The reminders due now (by their due markers, which a new day's RefreshDueMarkers sets) that
    // were not told for their present date, in tree order; from now on they count as told.
    std::vector<TReminderObject*> TakeUntold(ItemTree& tree);

private:
    // Identifier, title and date in one number each: a large backlog is told without a set of
    // strings as large as it.
    std::unordered_set<std::uint64_t> m_told;
};

// What a notification says of reminders that came due together, and which reminders it stands
// for (by identifier, as FindReminder finds them again).
struct DueNotice
{
    std::string summary;
    std::string body;
    std::vector<std::int32_t> reminders;
};

// One reminder: its title, then its owner and date. Several: "3 reminders are due", then the
// first few with their owners, one a line. A birthday's owner is named with the age it brings
// ("Jane Doe turns 57"), an anniversary's with its years ("Jane Doe, 25 years").
DueNotice ComposeDueNotice(const std::vector<TReminderObject*>& reminders);

} // namespace quillary
