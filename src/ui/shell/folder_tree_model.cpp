// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/folder_tree_model.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "ui/shell/item_pictures.h"
#include "ui/text_codec.h"

#include <QMimeData>

namespace quillary {

FolderTreeModel::FolderTreeModel(ItemTree& tree, const ItemPictures& pictures, QObject* parent)
    : QAbstractItemModel(parent), m_tree(tree), m_pictures(pictures)
{
    m_tree.AddObserver(this);
}

FolderTreeModel::~FolderTreeModel()
{
    m_tree.RemoveObserver(this);
}

TreeNode* FolderTreeModel::NodeAt(const QModelIndex& index) const
{
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex FolderTreeModel::IndexOf(const TreeNode* node) const
{
    if (!node)
        return {};
    return createIndex(node->Parent() ? node->Index() : 0, 0, const_cast<TreeNode*>(node));
}

QModelIndex FolderTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? IndexOf(&m_tree.Root()) : QModelIndex();
    TreeNode* child = NodeAt(parent)->ChildAt(row);
    return child ? createIndex(row, 0, child) : QModelIndex();
}

QModelIndex FolderTreeModel::parent(const QModelIndex& child) const
{
    const TreeNode* node = NodeAt(child);
    return node ? IndexOf(node->Parent()) : QModelIndex();
}

int FolderTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return 1;
    return parent.column() == 0 ? NodeAt(parent)->ChildCount() : 0;
}

int FolderTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant FolderTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeNode* node = NodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return FromField(node->Text());
    case Qt::DecorationRole:
        return m_pictures.Picture(node == m_selected ? node->SelectedIndex() : node->ImageIndex(), node->StateIndex());
    default:
        return {};
    }
}

bool FolderTreeModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    TreeNode* node = NodeAt(index);
    // An empty title is refused: the old one stays.
    if (!node || role != Qt::EditRole || !node->Parent() || !node->Data() || value.toString().trimmed().isEmpty())
        return false;
    node->Data()->SetTitle(ToField(value.toString()));
    emit NodeRenamed(node);
    return true;
}

Qt::ItemFlags FolderTreeModel::flags(const QModelIndex& index) const
{
    const TreeNode* node = NodeAt(index);
    if (!node)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled;
    if (node->Parent()) // every label but the root's can be edited and dragged
        flags |= Qt::ItemIsEditable | Qt::ItemIsDragEnabled;
    return flags;
}

QString FolderTreeModel::NodeMimeType()
{
    return QStringLiteral("application/x-quillary-node");
}

QString FolderTreeModel::EntriesMimeType()
{
    return QStringLiteral("application/x-quillary-entries");
}

QStringList FolderTreeModel::mimeTypes() const
{
    return {NodeMimeType(), EntriesMimeType()};
}

QMimeData* FolderTreeModel::mimeData(const QModelIndexList&) const
{
    auto* data = new QMimeData;
    data->setData(NodeMimeType(), QByteArray());
    return data;
}

bool FolderTreeModel::dropMimeData(const QMimeData* data, Qt::DropAction, int, int, const QModelIndex& parent)
{
    TreeNode* target = NodeAt(parent);
    if (!target || !data)
        return false;
    if (data->hasFormat(NodeMimeType()))
        emit NodeDropped(target);
    else if (data->hasFormat(EntriesMimeType()))
        emit EntriesDropped(target);
    // The drop is carried out by the window; the view must not remove anything itself.
    return false;
}

void FolderTreeModel::SetSelectedNode(const TreeNode* node)
{
    const TreeNode* previous = std::exchange(m_selected, node);
    for (const TreeNode* changed : {previous, node})
        if (changed) {
            const QModelIndex index = IndexOf(changed);
            emit dataChanged(index, index, {Qt::DecorationRole});
        }
}

void FolderTreeModel::NodeAboutToBeAdded(TreeNode& parent, int row)
{
    beginInsertRows(IndexOf(&parent), row, row);
}

void FolderTreeModel::NodeAdded(TreeNode&)
{
    endInsertRows();
    emit TreeChanged();
}

void FolderTreeModel::NodeAboutToBeRemoved(TreeNode& node)
{
    if (m_selected == &node || (m_selected && node.IsAncestorOf(*m_selected)))
        m_selected = nullptr;
    beginRemoveRows(IndexOf(node.Parent()), node.Index(), node.Index());
}

void FolderTreeModel::NodeRemoved(TreeNode&, int)
{
    endRemoveRows();
    emit TreeChanged();
}

void FolderTreeModel::NodeAboutToBeMoved(TreeNode& node, TreeNode& newParent, int newRow)
{
    // Qt counts the destination row before the moved row is taken out.
    const bool sameParent = node.Parent() == &newParent;
    beginMoveRows(IndexOf(node.Parent()), node.Index(), node.Index(), IndexOf(&newParent),
                  sameParent ? newRow + 1 : newRow);
}

void FolderTreeModel::NodeMoved(TreeNode&)
{
    endMoveRows();
    emit TreeChanged();
}

void FolderTreeModel::ChildrenAboutToBeSorted(TreeNode& parent)
{
    const QModelIndex parentIndex = IndexOf(&parent);
    emit layoutAboutToBeChanged({QPersistentModelIndex(parentIndex)}, QAbstractItemModel::VerticalSortHint);
    m_sortingPersistent.clear();
    for (const QModelIndex& index : persistentIndexList())
        if (index.parent() == parentIndex)
            m_sortingPersistent.append(index);
}

void FolderTreeModel::ChildrenSorted(TreeNode& parent, const std::vector<int>& newRows)
{
    for (const QModelIndex& old : std::as_const(m_sortingPersistent)) {
        const int row = newRows[static_cast<std::size_t>(old.row())];
        changePersistentIndex(old, createIndex(row, 0, parent.ChildAt(row)));
    }
    m_sortingPersistent.clear();
    emit layoutChanged({QPersistentModelIndex(IndexOf(&parent))}, QAbstractItemModel::VerticalSortHint);
    emit TreeChanged();
}

void FolderTreeModel::NodeChanged(TreeNode& node)
{
    const QModelIndex index = IndexOf(&node);
    emit dataChanged(index, index);
}

void FolderTreeModel::DetailsChanged(TreeNode&)
{
    emit TreeChanged();
}

void FolderTreeModel::TreeResetStarted()
{
    m_selected = nullptr;
    beginResetModel();
}

void FolderTreeModel::TreeResetEnded()
{
    endResetModel();
    emit TreeChanged();
}

} // namespace quillary
