// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quillary {

class TreeNode;

// What reading the data file found. Only a file that is not there is the normal first start;
// a file that is there but cannot be read must never be replaced by what the program holds.
enum class DataFileState { Loaded, Missing, Unreadable };

struct DataFileRead
{
    DataFileState state = DataFileState::Loaded;
    std::string problem; // when Unreadable: what is wrong, naming the file
};

// Reads a whole file into text. Missing when nothing has that name; Unreadable when something
// does but cannot be read to its end (no permission, a folder, an I/O error part way).
DataFileRead ReadWholeFile(const std::filesystem::path& path, std::string& text);

// Opens a data file for reading: a descriptor the caller closes, and the file's size. Missing
// when nothing has that name; Unreadable when it cannot be opened or is no regular file.
DataFileRead OpenDataFile(const std::filesystem::path& path, int& fd, std::uint64_t& size);

// Reads the data file beneath the root of a tree that holds nothing else. A file that cannot be
// read to its end (an I/O error part way) leaves the root alone again: no half tree remains.
// DataFileLoader (model/data_file_loader.h) does the same a slice at a time.
DataFileRead LoadWholeDataFile(TreeNode& root, const std::filesystem::path& path);

} // namespace quillary
