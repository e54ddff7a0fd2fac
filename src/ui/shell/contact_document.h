// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/data_file_read.h"
#include "model/item_services.h"

#include <QString>

#include <memory>

namespace quillary {

class DataFileLoading;
class DataFileSession;
class ItemTree;
class SyncCenter;
class TProfileFile;
struct SyncWindow;

// The contacts of one data file: the item tree, the session that reads and writes the file,
// the read of a large file in slices, and the synchronisation with the accounts' address books.
// It is made before any window and outlives it, so the tree and its services exist without one.
class ContactDocument final
{
public:
    // Starts reading the data file: a small one before the constructor returns, a large one in
    // slices once the event loop runs (Loading).
    ContactDocument(const QString& dataFile, const ItemServices& desk, TProfileFile& settings);
    ~ContactDocument();
    ContactDocument(const ContactDocument&) = delete;
    ContactDocument& operator=(const ContactDocument&) = delete;

    const QString& DataFile() const { return m_dataFile; }
    ItemTree& Tree() { return *m_tree; }
    DataFileSession& Session() { return *m_session; }
    DataFileLoading& Loading() { return *m_loading; }
    bool IsLoading() const;
    // How reading the data file went; an unreadable file leaves the tree empty.
    DataFileRead LoadResult() const;

    // The synchronisation asks and tells over the window that shows the document, so it comes
    // with that window and ends before it goes.
    SyncCenter& AttachSync(SyncWindow window);
    void DetachSync();
    bool HasSync() const { return m_sync != nullptr; }
    SyncCenter& Sync() { return *m_sync; }

private:
    QString m_dataFile;
    TProfileFile& m_settings;
    std::unique_ptr<ItemTree> m_tree;
    std::unique_ptr<DataFileSession> m_session;
    std::unique_ptr<DataFileLoading> m_loading;
    std::unique_ptr<SyncCenter> m_sync; // before the tree and the session go
};

} // namespace quillary
