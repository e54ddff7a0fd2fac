// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/record_writer.h"

#include "common/file_error.h"
#include "model/category_filter.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_walk.h"

#include <vector>

namespace quillary {

namespace {
// Collects records and hands them to the stream in large pieces. The room for a whole piece is
// taken only once a write proves large, so writing a few items stays cheap.
class RecordBuffer
{
public:
    explicit RecordBuffer(std::ostream& out) : m_out(out) {}
    ~RecordBuffer() = default;

    std::string& Text() { return m_text; }
    void FlushIfFull()
    {
        if (m_text.size() >= Chunk)
            Flush();
        else if (m_text.size() >= Chunk / 16 && m_text.capacity() < Chunk + Chunk / 4)
            m_text.reserve(Chunk + Chunk / 4);
    }
    void Flush()
    {
        m_out.write(m_text.data(), static_cast<std::streamsize>(m_text.size()));
        m_text.clear();
        if (!m_out)
            throw FileError("", "Cannot write file");
    }

private:
    static constexpr std::size_t Chunk = 1 << 20;
    std::ostream& m_out;
    std::string m_text;
};
} // namespace

void WriteItem(const TKPXObject& item, std::string& out, int level)
{
    item.WriteRecord(out, level);
    out += "\r\n";
    for (int i = 0; i < item.ChildCount(); ++i)
        WriteItem(*item.ChildAt(i), out, level + 1);
}

void WriteTreeRecords(const ItemTree& tree, std::ostream& out)
{
    RecordBuffer buffer(out);
    ForEachInSubtree(const_cast<TreeNode&>(tree.Root()), [&](TreeNode& node) {
        WriteItem(*node.Data(), buffer.Text(), node.Depth());
        buffer.FlushIfFull();
    });
    buffer.Flush();
}

void WriteSubtreeRecords(TreeNode& start, std::ostream& out)
{
    RecordBuffer buffer(out);
    const int startDepth = start.Depth();
    ForEachInSubtree(start, [&](TreeNode& node) {
        TKPXObject& item = *node.Data();
        if (IsFilteredOut(item))
            return;
        {
            const CategoriesWithheld withheld(item);
            WriteItem(item, buffer.Text(), node.Depth() - startDepth + 1);
        }
        buffer.FlushIfFull();
    });
    buffer.Flush();
}

} // namespace quillary
