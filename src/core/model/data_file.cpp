// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_file.h"

#include "common/ascii_case.h"
#include "common/atomic_file.h"
#include "common/file_error.h"
#include "model/item_tree.h"
#include "model/record_writer.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace quillary {

namespace {
// Reads a file that opened; a read failure names the file.
template <typename F> void ReadOpened(const std::filesystem::path& path, F&& read)
{
    try {
        read();
    } catch (const FileError&) {
        throw FileError(path, "Cannot read file");
    }
}
} // namespace

void LoadDataStream(std::istream& in, TreeNode& root, ReadReport* report)
{
    TreeUpdateGuard guard(root.Tree());
    std::string parameters;
    std::getline(in, parameters);
    ReadItems(in, root, report, 2);
}

bool LoadDataFile(TreeNode& root, const std::filesystem::path& path, ReadReport* report)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    ReadOpened(path, [&] { LoadDataStream(in, root, report); });
    return true;
}

void WriteDataStream(const ItemTree& tree, std::ostream& out)
{
    out << ParamsLine << "\r\n";
    WriteTreeRecords(tree, out);
}

void SaveDataFile(const ItemTree& tree, const std::filesystem::path& path)
{
    WriteFileAtomically(path, [&](std::ostream& out) { WriteDataStream(tree, out); });
}

bool IsItemFileName(const std::filesystem::path& path)
{
    if (path.string() == ClipFileName)
        return true;
    return EqualsNoCase(path.extension().string(), ".zkd");
}

bool LoadItemFile(TreeNode& target, const std::filesystem::path& path, ReadReport* report)
{
    if (!IsItemFileName(path))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    TreeUpdateGuard guard(target.Tree());
    ReadOpened(path, [&] { ReadItems(in, target, report); });
    return true;
}

void WriteSubtree(TreeNode& start, const std::filesystem::path& path)
{
    WriteFileAtomically(path, [&](std::ostream& out) { WriteSubtreeRecords(start, out); });
}

} // namespace quillary
