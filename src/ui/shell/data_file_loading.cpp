// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/data_file_loading.h"

#include "model/data_file_loader.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"

#include <QElapsedTimer>
#include <QTimer>

namespace quillary {

namespace {
// Records read between two looks at the clock: well under a millisecond's work.
constexpr int RecordsPerLook = 512;
} // namespace

DataFileLoading::DataFileLoading(ItemTree& tree, DataFileSession& session, QObject* parent)
    : QObject(parent), m_tree(tree), m_loader(session.StartLoad(tree))
{
    if (m_loader.Size() <= AtOnceSize) {
        m_loader.ReadToEnd();
        m_tree.MarkSaved();
        return;
    }
    // A zero timer: the slices run once the window has had its events, between later ones.
    QTimer::singleShot(0, this, &DataFileLoading::Slice);
}

DataFileLoading::~DataFileLoading() = default;

bool DataFileLoading::IsLoading() const
{
    return !m_loader.Done();
}

DataFileRead DataFileLoading::Result() const
{
    return m_loader.Result();
}

std::uint64_t DataFileLoading::BytesRead() const
{
    return m_loader.BytesRead();
}

std::uint64_t DataFileLoading::Size() const
{
    return m_loader.Size();
}

void DataFileLoading::Slice()
{
    ++m_slices;
    QElapsedTimer clock;
    clock.start();
    bool more = true;
    while (more && clock.elapsed() < m_sliceTime.count())
        more = m_loader.Next(RecordsPerLook);
    emit Progress(static_cast<qint64>(BytesRead()), static_cast<qint64>(Size()));
    if (more)
        QTimer::singleShot(0, this, &DataFileLoading::Slice);
    else
        Done();
}

void DataFileLoading::Done()
{
    m_tree.MarkSaved();
    emit Finished();
}

} // namespace quillary
