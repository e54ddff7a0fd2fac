// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace quillary {

// The file a write to path really changes: path itself, or the end of its chain of symbolic
// links (a relative link target counts from the link's own folder). A dangling link gives the
// missing file it names, which the write creates. Throws FileError naming path for a loop.
std::filesystem::path WriteTarget(const std::filesystem::path& path);

} // namespace quillary
