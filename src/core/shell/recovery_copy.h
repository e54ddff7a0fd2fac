// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>

namespace quillary {

class ItemTree;

using FileTime = std::chrono::sys_time<std::chrono::nanoseconds>;

// The copy of a tree with unsaved changes, kept so that a crash or a failed save at the end
// loses nothing: "zelk.dat.recovery" beside the data file, in the data file's own format.
std::filesystem::path RecoveryFileOf(const std::filesystem::path& dataFile);
// The second place, for when the data file's folder cannot take the copy: in
// $XDG_STATE_HOME/quillary (by default ~/.local/state/quillary), a folder the user owns, named
// after the data file's whole path ("zelk.dat-<16 hexadecimal digits>.recovery").
std::filesystem::path FallbackRecoveryFileOf(const std::filesystem::path& dataFile);

// Writes tree as a data file at path, whole or not at all, readable by its owner only. With
// makeFolder a missing folder is made, for its owner only (the second place); the data file's
// own folder is never made anew. Throws FileError.
void WriteRecoveryCopy(const ItemTree& tree, const std::filesystem::path& path, bool makeFolder = false);

// When a file was last written; none when it is not there.
std::optional<FileTime> LastWritten(const std::filesystem::path& path);

struct RecoveryCopy
{
    std::filesystem::path file;
    FileTime written;
    std::optional<FileTime> dataWritten; // none when there is no data file
};

// The recovery copy of dataFile that is not older than the data file (beside it or in the
// second place, the newer of the two), or none. Only a plain file the user owns counts.
std::optional<RecoveryCopy> FindRecoveryCopy(const std::filesystem::path& dataFile);

} // namespace quillary
