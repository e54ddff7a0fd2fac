// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/record_reader.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <string_view>

namespace quillary {

class ItemTree;
class TreeNode;

inline constexpr std::string_view DataFileName = "zelk.dat";
inline constexpr std::string_view ClipFileName = "clipdata.dat";
inline constexpr std::string_view ParamsLine = "{Params}";

// Reads the data file beneath the root; its first line (the parameters line) is skipped,
// whatever it holds. A file that cannot be opened leaves the root alone: the result is false.
bool LoadDataFile(TreeNode& root, const std::filesystem::path& path = DataFileName, ReadReport* report = nullptr);
void LoadDataStream(std::istream& in, TreeNode& root, ReadReport* report = nullptr);

// Writes the whole tree: the parameters line, then every node's records. The old file is
// replaced only once the new one is complete on disk.
void SaveDataFile(const ItemTree& tree, const std::filesystem::path& path = DataFileName);
void WriteDataStream(const ItemTree& tree, std::ostream& out);

// Interchange files end in ".zkd" (any case); the clipboard file is exactly "clipdata.dat".
bool IsItemFileName(const std::filesystem::path& path);
// Reads an interchange file beneath target, all lines being records; other names are ignored.
// The result says whether the file was read.
bool LoadItemFile(TreeNode& target, const std::filesystem::path& path, ReadReport* report = nullptr);

// Writes start and its descendants as an interchange file (no parameters line).
void WriteSubtree(TreeNode& start, const std::filesystem::path& path);

} // namespace quillary
