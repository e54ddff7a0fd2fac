// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/item_list_model.h"

#include "model/item_tree.h"
#include "model/list_fill.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_pictures.h"
#include "ui/text_codec.h"

#include <QMimeData>
#include <QUrl>

namespace quillary {

ItemListModel::ItemListModel(ItemTree& tree, const ItemPictures& pictures, QObject* parent)
    : QAbstractTableModel(parent), m_tree(tree), m_pictures(pictures)
{
    m_tree.AddObserver(this);
}

ItemListModel::~ItemListModel()
{
    m_tree.RemoveObserver(this);
}

void ItemListModel::Fill(const TreeNode* node)
{
    beginResetModel();
    m_rows = m_treeResetting ? std::vector<ListRow>() : FillFolderList(node);
    endResetModel();
}

TKPXObject* ItemListModel::ItemAt(int row) const
{
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].item : nullptr;
}

int ItemListModel::RowOf(const TKPXObject* item) const
{
    for (std::size_t row = 0; row < m_rows.size(); ++row)
        if (m_rows[row].item == item)
            return static_cast<int>(row);
    return -1;
}

int ItemListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ItemListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant ItemListModel::data(const QModelIndex& index, int role) const
{
    const TKPXObject* item = ItemAt(index.row());
    if (!item)
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case 0:
            return FromField(item->GetTitle());
        case 1:
            return FromField(item->GetTarget());
        default:
            return FromField(item->GetComment());
        }
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        const ListRow& row = m_rows[static_cast<std::size_t>(index.row())];
        return m_pictures.Picture(row.image, row.stateImage);
    }
    return {};
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const Titles[] = {"Title", "Target", "Comment"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 3)
        return QString::fromLatin1(Titles[section]);
    return {};
}

bool ItemListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TKPXObject* item = ItemAt(index.row());
    // An empty title is refused: the old one stays.
    if (!item || role != Qt::EditRole || index.column() != 0 || value.toString().trimmed().isEmpty())
        return false;
    item->SetTitle(ToField(value.toString()));
    emit dataChanged(index, index);
    emit ItemRenamed(item);
    return true;
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const
{
    if (!ItemAt(index.row()))
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
    if (index.column() == 0)
        flags |= Qt::ItemIsEditable;
    return flags;
}

QStringList ItemListModel::mimeTypes() const
{
    return {FolderTreeModel::EntriesMimeType(), QStringLiteral("text/uri-list")};
}

QMimeData* ItemListModel::mimeData(const QModelIndexList&) const
{
    auto* data = new QMimeData;
    data->setData(FolderTreeModel::EntriesMimeType(), QByteArray());
    return data;
}

bool ItemListModel::dropMimeData(const QMimeData* data, Qt::DropAction, int row, int, const QModelIndex& parent)
{
    if (!data)
        return false;
    if (data->hasUrls()) {
        for (const QUrl& url : data->urls())
            if (url.isLocalFile()) {
                emit FileDropped(url.toLocalFile());
                break; // only the first file counts
            }
        return false;
    }
    TKPXObject* target = ItemAt(parent.isValid() ? parent.row() : row);
    if (data->hasFormat(FolderTreeModel::EntriesMimeType()) && target)
        emit EntriesDroppedOn(target);
    return false;
}

void ItemListModel::Forget()
{
    if (m_rows.empty())
        return;
    beginResetModel();
    m_rows.clear();
    endResetModel();
    emit RefillWanted();
}

void ItemListModel::NodeAboutToBeRemoved(TreeNode&)
{
    Forget();
}

void ItemListModel::DetailsChanged(TreeNode&)
{
    Forget();
}

void ItemListModel::TreeResetStarted()
{
    m_treeResetting = true;
    Forget();
}

void ItemListModel::TreeResetEnded()
{
    m_treeResetting = false;
}

} // namespace quillary
