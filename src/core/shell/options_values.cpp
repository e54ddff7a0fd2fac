// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/options_values.h"

#include "shell/profile_file.h"

namespace quillary {

namespace {

// With no method selected the dialog stores the last one, the web browser.
constexpr int FallbackMailMethod = 3;

int StoredMailMethod(int method)
{
    return (method >= 1 && method <= 3) ? method : FallbackMailMethod;
}

} // namespace

OptionsValues ReadOptions(const TProfileFile& profile)
{
    OptionsValues values;
    values.browserPath =
        profile.ReadString(settings::BrowserSection, settings::BrowserPathKey, settings::DefaultBrowserPath);
    values.browserService =
        profile.ReadString(settings::BrowserSection, settings::BrowserServiceKey, settings::DefaultBrowserService);
    values.mailMethod =
        profile.ReadInteger(settings::SettingsSection, settings::InternetMailKey, settings::DefaultInternetMail);
    values.reminderNotifications = ReminderNotificationsOn(profile);
    values.categories = ReadCategoryNames(profile);
    return values;
}

void WriteOptions(TProfileFile& profile, const OptionsValues& values)
{
    profile.WriteString(settings::BrowserSection, settings::BrowserPathKey, values.browserPath);
    profile.WriteString(settings::BrowserSection, settings::BrowserServiceKey, values.browserService);
    profile.WriteInteger(settings::SettingsSection, settings::InternetMailKey, StoredMailMethod(values.mailMethod));
    profile.WriteInteger(settings::SettingsSection, settings::ReminderNotificationsKey,
                         values.reminderNotifications ? 1 : 0);
    WriteCategoryNames(profile, values.categories);
}

bool ReminderNotificationsOn(const TProfileFile& profile)
{
    return profile.ReadInteger(settings::SettingsSection, settings::ReminderNotificationsKey,
                               settings::DefaultReminderNotifications) != 0;
}

void RenameCategory(CategoryNames& names, int index, std::string_view name)
{
    if (name.empty() || index < 0 || index >= CategoryCount)
        return;
    names[static_cast<std::size_t>(index)] = std::string(name);
}

} // namespace quillary
