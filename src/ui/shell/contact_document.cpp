// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/contact_document.h"

#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "ui/shell/data_file_loading.h"
#include "ui/sync/sync_center.h"

namespace quillary {

ContactDocument::ContactDocument(const QString& dataFile, const ItemServices& desk, TProfileFile& settings)
    : m_dataFile(dataFile), m_settings(settings), m_tree(std::make_unique<ItemTree>(desk)),
      m_session(std::make_unique<DataFileSession>(dataFile.toStdString())),
      m_loading(std::make_unique<DataFileLoading>(*m_tree, *m_session))
{
}

ContactDocument::~ContactDocument() = default;

bool ContactDocument::IsLoading() const
{
    return m_loading->IsLoading();
}

DataFileRead ContactDocument::LoadResult() const
{
    return m_loading->Result();
}

SyncCenter& ContactDocument::AttachSync(SyncWindow window)
{
    window.tree = m_tree.get();
    window.session = m_session.get();
    m_sync = std::make_unique<SyncCenter>(std::move(window), m_settings);
    return *m_sync;
}

void ContactDocument::DetachSync()
{
    m_sync.reset();
}

} // namespace quillary
