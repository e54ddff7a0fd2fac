// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/data_file_loader.h"

#include "common/descriptor_input.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <istream>
#include <string>
#include <unistd.h>

namespace quillary {

namespace {
// A record takes a head line and, for most kinds, a detail line: most come longer than this, so
// the estimate of the records a file holds is seldom short.
constexpr std::uint64_t BytesPerRecordAtLeast = 64;

// Everything beneath the root goes: the nodes and the root's own details.
void ClearBelow(TreeNode& root)
{
    root.Tree().DeleteChildren(root);
    if (TKPXObject* item = root.Data())
        while (item->HasChildren())
            item->DeleteChild(item->ChildAt(item->ChildCount() - 1));
}
} // namespace

DataFileLoader::DataFileLoader(TreeNode& root, std::filesystem::path path) : m_root(root), m_path(std::move(path))
{
    if (const DataFileRead opened = OpenDataFile(m_path, m_fd, m_size); opened.state != DataFileState::Loaded) {
        m_result = opened;
        return;
    }
    // Read as it streams in, so the file's text is never held beside the tree it becomes.
    m_buffer = std::make_unique<DescriptorInput>(m_fd);
    m_in = std::make_unique<std::istream>(m_buffer.get());
    m_update = std::make_unique<TreeUpdateGuard>(root.Tree());
    std::string parameters; // the first line, whatever it holds
    std::getline(*m_in, parameters);
    m_slices = std::make_unique<RecordSlices>(*m_in, root, nullptr, 2);
}

DataFileLoader::~DataFileLoader()
{
    m_slices.reset();
    m_update.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool DataFileLoader::Next(int count)
{
    if (Done())
        return false;
    try {
        if (!m_started) {
            // The identifier table is sized once from the file's size, so the slices enter their
            // identifiers as they go without a rehash of millions half way or at the end. Here,
            // not on opening: clearing a large table is work for a slice, not for the window's start.
            m_started = true;
            m_root.Tree().Ids().Expect(m_size / BytesPerRecordAtLeast);
        }
        if (m_slices->Next(count))
            return true;
    } catch (const std::exception& error) {
        // Whatever stopped the read (memory, say), the half tree must not stand for the file.
        Finish({DataFileState::Unreadable, "Cannot read " + m_path.string() + ": " + error.what()});
        return false;
    }
    if (m_buffer->Error() != 0)
        Finish({DataFileState::Unreadable, "Cannot read " + m_path.string() + ": " + std::strerror(m_buffer->Error())});
    else
        Finish({});
    return false;
}

void DataFileLoader::Finish(DataFileRead result)
{
    m_slices.reset();
    if (result.state != DataFileState::Loaded)
        ClearBelow(m_root);
    m_update.reset(); // the observers read the tree afresh, once
    m_result = std::move(result);
}

std::uint64_t DataFileLoader::BytesRead() const
{
    if (Done() || m_fd < 0)
        return m_size;
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    const std::streamsize buffered = m_buffer->in_avail();
    return position < 0 ? 0
                        : static_cast<std::uint64_t>(position) -
                              static_cast<std::uint64_t>(std::max<std::streamsize>(buffered, 0));
}

DataFileRead DataFileLoader::ReadToEnd()
{
    while (Next(INT_MAX)) {
    }
    return Result();
}

DataFileRead LoadWholeDataFile(TreeNode& root, const std::filesystem::path& path)
{
    return DataFileLoader(root, path).ReadToEnd();
}

} // namespace quillary
