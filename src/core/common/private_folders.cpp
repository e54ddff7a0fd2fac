// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/private_folders.h"

#include "common/file_error.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace quillary {

namespace fs = std::filesystem;

namespace {
constexpr mode_t PrivateFolderMode = 0700;

void CreateOne(const fs::path& folder)
{
    if (::mkdir(folder.c_str(), PrivateFolderMode) == 0) {
        // The umask may have taken the owner's own bits away.
        ::chmod(folder.c_str(), PrivateFolderMode);
        return;
    }
    const int error = errno;
    std::error_code ignored;
    if (error == EEXIST && fs::is_directory(folder, ignored))
        return;
    throw FileError(folder, "Cannot create folder (" + std::string(std::strerror(error)) + ")");
}
} // namespace

void CreatePrivateFolders(const fs::path& folder)
{
    fs::path prefix;
    for (const fs::path& part : folder.lexically_normal()) {
        prefix /= part;
        if (part != prefix.root_path() && !part.empty())
            CreateOne(prefix);
    }
}

} // namespace quillary
