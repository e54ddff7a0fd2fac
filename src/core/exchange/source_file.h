// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The whole file as lines (see TextLineReader). Throws FileError when it cannot be opened or read.
std::vector<std::string> ReadSourceFile(const std::filesystem::path& file);

// The file of that name in the folder. Files brought over from other systems may have their
// names in other cases ("BOOKMARK.HTM"), so when the exact name is missing the first name
// that matches it regardless of case (in name order) is taken. None when nothing matches.
std::optional<std::filesystem::path> FindSourceFile(const std::filesystem::path& folder, std::string_view name);

} // namespace quillary
