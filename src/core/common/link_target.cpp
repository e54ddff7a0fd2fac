// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/link_target.h"

#include "common/file_error.h"

namespace quillary {

namespace fs = std::filesystem;

namespace {
// The kernel's own limit on links followed while resolving one name.
constexpr int MaxLinks = 40;
} // namespace

fs::path WriteTarget(const fs::path& path)
{
    fs::path current = path;
    for (int followed = 0; followed <= MaxLinks; ++followed) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            return current;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw FileError(path, "Too many levels of symbolic links");
}

} // namespace quillary
