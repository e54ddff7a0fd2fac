// SPDX-License-Identifier: GPL-3.0-or-later
#include "places/app_places.h"

#include <cstdlib>

namespace quillary {

namespace fs = std::filesystem;

namespace {
constexpr const char* FolderName = "quillary";

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path Absolute(const fs::path& path)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

// $QUILLARY_HOME when set and not empty.
fs::path HomeOverride()
{
    const std::string home = Environment("QUILLARY_HOME");
    return home.empty() ? fs::path() : Absolute(home);
}

// An XDG base directory: the variable when it is an absolute path, else its default below $HOME.
fs::path BaseDirectory(const char* variable, const char* fallback)
{
    const std::string value = Environment(variable);
    if (!value.empty() && value.front() == '/')
        return fs::path(value).lexically_normal();
    return Absolute(fs::path(Environment("HOME")) / fallback);
}
} // namespace

fs::path DataFolder()
{
    const fs::path home = HomeOverride();
    return home.empty() ? BaseDirectory("XDG_DATA_HOME", ".local/share") / FolderName : home;
}

fs::path SettingsFile()
{
    const fs::path home = HomeOverride();
    return (home.empty() ? BaseDirectory("XDG_CONFIG_HOME", ".config") / FolderName : home) / "kpx.ini";
}

fs::path StateFolder()
{
    return BaseDirectory("XDG_STATE_HOME", ".local/state") / FolderName;
}

} // namespace quillary
