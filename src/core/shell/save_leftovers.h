// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace quillary {

// Removes the temporary files that killed saves left beside the files the program replaces
// whole: the data file, "clipdata.dat" and "ret_addr.dat" of the working folder, and the settings
// file (see RemoveStaleTemporaries). Call it while the data file's lock is held, so that no
// command-line import is writing one. Returns how many were removed.
int RemoveSaveLeftovers(const std::filesystem::path& workingFolder, const std::filesystem::path& settingsFile);

} // namespace quillary
