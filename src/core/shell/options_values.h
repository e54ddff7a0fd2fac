// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/settings_keys.h"

#include <string>
#include <string_view>

namespace quillary {

class TProfileFile;

// What the Options dialog shows and stores, apart from the tools.
struct OptionsValues
{
    std::string browserService = std::string(settings::DefaultBrowserService);
    std::string browserPath;
    // 1 "mailto:" link, 2 messaging service, 3 web browser; any other value selects no method.
    int mailMethod = settings::DefaultInternetMail;
    bool reminderNotifications = settings::DefaultReminderNotifications != 0;
    CategoryNames categories;
};

// Missing keys give their defaults.
OptionsValues ReadOptions(const TProfileFile& profile);
// Writes the browser, the mail method (3 when none of 1 to 3 is selected), the reminder
// notifications and all 32 category names, replacing section "Categories"; the caller flushes.
void WriteOptions(TProfileFile& profile, const OptionsValues& values);
// Any stored value but 0 keeps notifications on.
bool ReminderNotificationsOn(const TProfileFile& profile);
// Category index 0 to 31 takes the name; an empty name or an index out of range changes nothing.
void RenameCategory(CategoryNames& names, int index, std::string_view name);

} // namespace quillary
