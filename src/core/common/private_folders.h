// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace quillary {

// Creates folder and each missing folder above it 0700, whatever the umask: the folders that hold
// contacts and settings are nobody else's. Folders that exist keep their mode. Throws FileError
// naming the folder that could not be made.
void CreatePrivateFolders(const std::filesystem::path& folder);

} // namespace quillary
