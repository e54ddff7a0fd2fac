// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

class TProfileFile;

// Every section and key of the settings file "kpx.ini", with the defaults a missing key gives.
namespace settings {

// Main window geometry: a normal and an alternate set of nine integers each.
inline constexpr std::string_view WinStateSection = "WinState";

struct IntegerKey
{
    std::string_view name;
    std::int32_t fallback;
};

// Both sets list their fields in the same order: Left, Top, Width, Height, Split, Style, ColPos1..3.
inline constexpr std::size_t WinSettingsFieldCount = 9;
inline constexpr std::array<IntegerKey, WinSettingsFieldCount> NormWinStateKeys = {{
    {"Norm_Left", 0},
    {"Norm_Top", 0},
    {"Norm_Width", 640},
    {"Norm_Height", 480},
    {"Norm_Split", 201},
    {"Norm_Style", 1},
    {"Norm_ColPos1", 125},
    {"Norm_ColPos2", 150},
    {"Norm_ColPos3", 150},
}};
inline constexpr std::array<IntegerKey, WinSettingsFieldCount> AltWinStateKeys = {{
    {"Alt_Left", 0},
    {"Alt_Top", 0},
    {"Alt_Width", 300},
    {"Alt_Height", 480},
    {"Alt_Split", 1},
    {"Alt_Style", 1},
    {"Alt_ColPos1", 125},
    {"Alt_ColPos2", 150},
    {"Alt_ColPos3", 150},
}};

// Category names, keys "Cat1" to "Cat32".
inline constexpr std::string_view CategoriesSection = "Categories";
std::string CategoryKey(int number);
std::string DefaultCategoryName(int number);

// Tools list, keys "Tool0", "Tool1" and so on; readers take every key of the section, whatever its name.
inline constexpr std::string_view ToolsSection = "Tools";
std::string ToolKey(int index);

// Preferred web browser: its conversation service name and its program file.
inline constexpr std::string_view BrowserSection = "Browser";
inline constexpr std::string_view BrowserServiceKey = "DDE";
inline constexpr std::string_view DefaultBrowserService = "IExplore";
inline constexpr std::string_view BrowserPathKey = "Path";
inline constexpr std::string_view DefaultBrowserPath = "";
// Where each browser service answers: key the service name, value "host:port".
inline constexpr std::string_view BrowserEndpointSection = "DDE";
inline constexpr std::string_view DefaultBrowserEndpoint = "127.0.0.1:9222";

// How Internet e-mail is sent: 1 "mailto:" link, 2 messaging service, 3 web browser.
inline constexpr std::string_view SettingsSection = "Settings";
inline constexpr std::string_view InternetMailKey = "INetMail";
inline constexpr std::int32_t DefaultInternetMail = 1;
// Whether reminders coming due raise desktop notifications: 1 yes, 0 no.
inline constexpr std::string_view ReminderNotificationsKey = "ReminderNotifications";
inline constexpr std::int32_t DefaultReminderNotifications = 1;

} // namespace settings

// The names in the settings file, a default for each one missing.
CategoryNames ReadCategoryNames(const TProfileFile& profile);
// Replaces the whole section, so names of keys nobody reads do not linger.
void WriteCategoryNames(TProfileFile& profile, const CategoryNames& names);

} // namespace quillary
