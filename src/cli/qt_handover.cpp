// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_handover.h"

#include "cli_commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace quillary::cli {

namespace {

constexpr const char* CompanionName = "quillary-cli-qt";

// Beside this program in a build tree, else where the installation puts it (execv then names
// the missing file).
std::filesystem::path FindCompanion()
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return CompanionName; // for the message
    const std::filesystem::path beside = self.parent_path() / CompanionName;
    if (::access(beside.c_str(), X_OK) == 0)
        return beside;
    return self.parent_path() / QUILLARY_BIN_TO_LIBEXEC / "quillary" / CompanionName;
}

} // namespace

int HandOverToQt(const std::vector<std::string>& args, std::ostream& err)
{
    const std::filesystem::path companion = FindCompanion();
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(CompanionName));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    err.flush();
    ::execv(companion.c_str(), argv.data());
    err << "quillary-cli: cannot start " << companion.string() << ", which prints and synchronises: "
        << std::strerror(errno) << "\n";
    return ExitFileError;
}

} // namespace quillary::cli
