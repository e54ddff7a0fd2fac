// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <string_view>

namespace quillary {

// The user's special folders that a shortcut may be placed in.
enum TShellFolder {
    sfNone,
    sfDesktop,
    sfFavorites,
    sfFonts,
    sfPersonal,
    sfPrograms,
    sfRecent,
    sfSendTo,
    sfStartMenu,
    sfStartup,
    sfTemplates,
};

// Answers the path of a special folder ("" for sfNone).
using ShellFolderResolver = std::function<std::string(TShellFolder)>;

// Where the XDG folders live: the home folder, $XDG_CONFIG_HOME and $XDG_DATA_HOME.
struct XdgPlaces
{
    std::string home;
    std::string configHome;
    std::string dataHome;

    // From the environment; an unset or relative XDG variable takes its default under home.
    static XdgPlaces FromEnvironment();
};

// The special folders on a Linux desktop:
//   Desktop, Personal, Templates: XDG_DESKTOP_DIR, XDG_DOCUMENTS_DIR, XDG_TEMPLATES_DIR of
//     user-dirs.dirs in the config folder;
//   Favorites: "Favorites" in the home folder (the desktop has no such folder, and one copied
//     from another system is most likely put there);
//   Fonts: "fonts" in the data folder; Programs and Start Menu: "applications" in the data
//     folder (the menu entries); Recent: "RecentDocuments" in the data folder (links to recent
//     files); Startup: "autostart" in the config folder;
//   Send To, and any user directory that is not configured: the home folder.
std::string XdgShellFolder(TShellFolder folder, const XdgPlaces& places);

// The path of one key (such as "XDG_DESKTOP_DIR") of a user-dirs.dirs file: the quoted value,
// absolute or starting with "$HOME", of the last line that gives one; "" when there is none.
std::string ReadUserDir(std::istream& dirs, std::string_view key, std::string_view home);

// XdgShellFolder with the places of the running process.
std::string DefaultShellFolder(TShellFolder folder);

} // namespace quillary
