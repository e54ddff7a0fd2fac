// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree_observer.h"

#include <QAbstractItemModel>

namespace quillary {

class ItemPictures;
class ItemTree;

// The folder tree as a Qt model. It keeps no copy of the tree: each index points at its
// TreeNode, and the core tree's notifications are translated one for one.
class FolderTreeModel final : public QAbstractItemModel, private TreeObserver
{
    Q_OBJECT

public:
    FolderTreeModel(ItemTree& tree, const ItemPictures& pictures, QObject* parent = nullptr);
    ~FolderTreeModel() override;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Drags carry no data of their own: the dragged node is the selected node, dragged entries
    // are the selected list entries. A drop only names its target.
    static QString NodeMimeType();
    static QString EntriesMimeType();
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    TreeNode* NodeAt(const QModelIndex& index) const;
    QModelIndex IndexOf(const TreeNode* node) const;
    // The node drawn with its selected picture (an open folder).
    void SetSelectedNode(const TreeNode* node);

signals:
    // Something below the root changed shape; the item list should be filled again.
    void TreeChanged();
    void NodeRenamed(TreeNode* node);
    void NodeDropped(TreeNode* target);
    void EntriesDropped(TreeNode* target);

private:
    void NodeAboutToBeAdded(TreeNode& parent, int row) override;
    void NodeAdded(TreeNode& node) override;
    void NodeAboutToBeRemoved(TreeNode& node) override;
    void NodeRemoved(TreeNode& parent, int row) override;
    void NodeAboutToBeMoved(TreeNode& node, TreeNode& newParent, int newRow) override;
    void NodeMoved(TreeNode& node) override;
    void ChildrenAboutToBeSorted(TreeNode& parent) override;
    void ChildrenSorted(TreeNode& parent, const std::vector<int>& newRows) override;
    void NodeChanged(TreeNode& node) override;
    void DetailsChanged(TreeNode& owner) override;
    void TreeResetStarted() override;
    void TreeResetEnded() override;

    ItemTree& m_tree;
    const ItemPictures& m_pictures;
    const TreeNode* m_selected = nullptr;
    QModelIndexList m_sortingPersistent;
};

} // namespace quillary
