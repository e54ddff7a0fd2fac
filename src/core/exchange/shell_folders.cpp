// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/shell_folders.h"

#include "common/text_line_reader.h"
#include "exchange/source_file.h"

#include <cstdlib>
#include <fstream>

namespace quillary {

namespace {

constexpr std::string_view HomeVariable = "$HOME";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// An XDG base folder: the variable when it holds an absolute path, else the default under home.
std::string BaseFolder(const char* variable, const std::string& home, std::string_view fallback)
{
    std::string value = Environment(variable);
    return value.starts_with('/') ? value : home + "/" + std::string(fallback);
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view SkipBlanks(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

// The text of a shell-quoted value up to its closing quote; a backslash escapes what follows.
std::string Unquoted(std::string_view value)
{
    std::string text;
    for (std::size_t pos = 0; pos < value.size() && value[pos] != '"'; ++pos) {
        if (value[pos] == '\\' && pos + 1 < value.size())
            ++pos;
        text += value[pos];
    }
    return text;
}

// The path of a line "KEY=\"value\"" when the line is for key; "" otherwise.
std::string UserDirOfLine(std::string_view line, std::string_view key, std::string_view home)
{
    line = SkipBlanks(line);
    if (!line.starts_with(key))
        return {};
    line = SkipBlanks(line.substr(key.size()));
    if (!line.starts_with('='))
        return {};
    line = SkipBlanks(line.substr(1));
    if (!line.starts_with('"'))
        return {};
    const std::string value = Unquoted(line.substr(1));
    if (value.starts_with(HomeVariable) && (value.size() == HomeVariable.size() || value[HomeVariable.size()] == '/'))
        return std::string(home) + value.substr(HomeVariable.size());
    return value.starts_with('/') ? value : std::string();
}

std::string UserDir(const XdgPlaces& places, std::string_view key)
{
    std::ifstream dirs(places.configHome + "/user-dirs.dirs", std::ios::binary);
    const std::string path = ReadUserDir(dirs, key, places.home);
    return path.empty() ? places.home : path;
}

} // namespace

XdgPlaces XdgPlaces::FromEnvironment()
{
    XdgPlaces places;
    places.home = Environment("HOME");
    places.configHome = BaseFolder("XDG_CONFIG_HOME", places.home, ".config");
    places.dataHome = BaseFolder("XDG_DATA_HOME", places.home, ".local/share");
    return places;
}

std::string ReadUserDir(std::istream& dirs, std::string_view key, std::string_view home)
{
    std::string found;
    TextLineReader lines(dirs);
    std::string line;
    while (lines.Next(line)) {
        std::string path = UserDirOfLine(line, key, home);
        if (!path.empty())
            found = std::move(path); // the last usable line counts, as for the desktop's own tools
    }
    return found;
}

std::string XdgShellFolder(TShellFolder folder, const XdgPlaces& places)
{
    switch (folder) {
    case sfNone:
        return {};
    case sfDesktop:
        return UserDir(places, "XDG_DESKTOP_DIR");
    case sfFavorites:
        return places.home + "/Favorites";
    case sfFonts:
        return places.dataHome + "/fonts";
    case sfPersonal:
        return UserDir(places, "XDG_DOCUMENTS_DIR");
    case sfPrograms:
    case sfStartMenu:
        return places.dataHome + "/applications";
    case sfRecent:
        return places.dataHome + "/RecentDocuments";
    case sfStartup:
        return places.configHome + "/autostart";
    case sfTemplates:
        return UserDir(places, "XDG_TEMPLATES_DIR");
    case sfSendTo:
        break;
    }
    return places.home;
}

std::string DefaultShellFolder(TShellFolder folder)
{
    return XdgShellFolder(folder, XdgPlaces::FromEnvironment());
}

} // namespace quillary
