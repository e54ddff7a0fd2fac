// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/import_counts.h"

#include <filesystem>
#include <optional>

namespace quillary {

class TreeNode;

// Reads an interchange file (.zkd) beneath into, counting the new children of into by kind and
// each damaged line as rejected; none when the file cannot be opened.
std::optional<ImportCounts> ImportItemFile(TreeNode& into, const std::filesystem::path& file);

} // namespace quillary
