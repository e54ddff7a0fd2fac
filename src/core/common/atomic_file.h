// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

namespace quillary {

// Writes a file so that it is either wholly replaced or not touched: the text goes to a
// temporary file in the same folder, which is flushed to disk and then renamed over the old
// one. Throws FileError when any step fails; the temporary file is removed again.
void WriteFileAtomically(const std::filesystem::path& path, const std::function<void(std::ostream&)>& write);

} // namespace quillary
