// SPDX-License-Identifier: GPL-3.0-or-later
// Files, folders and repeatable trees for tests that read and write real files.
#pragma once

#include "model/data_file.h"
#include "model/item_tree.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace quillary::test {

inline std::string ReadWhole(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWhole(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The whole tree as the data file holds it.
inline std::string SavedTree(const ItemTree& tree)
{
    std::ostringstream out;
    WriteDataStream(tree, out);
    return out.str();
}

// New items draw 2, 12, 30, ... instead of random identifiers, so expected files can hold them.
inline void UseSequentialIds(ItemTree& tree)
{
    tree.Ids().SetRandomSource([next = std::int32_t{0}](std::int32_t) mutable { return ++next; });
}

// A fresh folder under the system's temporary one, removed with its contents.
class TempDir
{
public:
    TempDir()
        : m_path(std::filesystem::temp_directory_path() / ("quillary-test-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& operator*() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

} // namespace quillary::test
