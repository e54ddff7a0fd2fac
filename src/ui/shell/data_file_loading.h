// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/data_file_read.h"

#include <QObject>

#include <chrono>
#include <cstdint>

namespace quillary {

class DataFileLoader;
class DataFileSession;
class ItemTree;

// Reads the data file into the tree on the window's thread: a small file at once, in the
// constructor; a large one in slices of a few milliseconds between the turns of the event loop,
// so the window shows, paints and answers while the file comes in. The tree counts as saved
// once the read is over. The session owns the read and refuses to write while it goes on.
class DataFileLoading final : public QObject
{
    Q_OBJECT

public:
    // Files up to this size are read before the constructor returns (a few tens of milliseconds).
    static constexpr std::uint64_t AtOnceSize = 4u << 20;

    DataFileLoading(ItemTree& tree, DataFileSession& session, QObject* parent = nullptr);
    ~DataFileLoading() override;

    bool IsLoading() const;
    // How the read went; Loaded while it goes on.
    DataFileRead Result() const;
    std::uint64_t BytesRead() const;
    std::uint64_t Size() const;
    // How long one slice reads before the event loop gets its turn.
    void SetSliceTime(std::chrono::milliseconds time) { m_sliceTime = time; }
    int SliceCount() const { return m_slices; }

signals:
    void Progress(qint64 bytesRead, qint64 size);
    void Finished();

private:
    void Slice();
    void Done();

    ItemTree& m_tree;
    DataFileLoader& m_loader;
    std::chrono::milliseconds m_sliceTime{25};
    int m_slices = 0;
};

} // namespace quillary
