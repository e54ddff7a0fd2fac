// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/data_file_read.h"
#include "model/record_reader.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace quillary {

class DescriptorInput;
class TreeNode;
class TreeUpdateGuard;

// Reads the data file beneath the root of a tree that holds nothing else, a slice at a time, so
// the desktop program can show its window and the progress while a large file comes in. The
// tree's observers hear one reset for the whole read, when it ends; the tree must not be changed
// by anything else in between. A file that cannot be read to its end leaves the root alone again.
class DataFileLoader
{
public:
    DataFileLoader(TreeNode& root, std::filesystem::path path);
    ~DataFileLoader();
    DataFileLoader(const DataFileLoader&) = delete;
    DataFileLoader& operator=(const DataFileLoader&) = delete;

    // Reads at most count more records; false once the read is over (Result() then tells how).
    bool Next(int count);
    // Reads the rest of the file at once and tells how the read went.
    DataFileRead ReadToEnd();
    bool Done() const { return m_result.has_value(); }
    // How the read went; Loaded while it is not over.
    DataFileRead Result() const { return m_result.value_or(DataFileRead{}); }

    // Bytes taken from the file so far, and its size when it was opened.
    std::uint64_t BytesRead() const;
    std::uint64_t Size() const { return m_size; }

private:
    void Finish(DataFileRead result);

    TreeNode& m_root;
    std::filesystem::path m_path;
    int m_fd = -1;
    std::uint64_t m_size = 0;
    std::unique_ptr<DescriptorInput> m_buffer;
    std::unique_ptr<std::istream> m_in;
    std::unique_ptr<TreeUpdateGuard> m_update;
    std::unique_ptr<RecordSlices> m_slices;
    std::optional<DataFileRead> m_result;
    bool m_started = false;
};

} // namespace quillary
