// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/kpx_object.h"
#include "model/tree_observer.h"

#include <QAbstractTableModel>

#include <vector>

namespace quillary {

class ItemPictures;
class ItemTree;

// The item list: the entries of one selected node, in three columns "Title", "Target" and
// "Comment". It holds the rows of the last fill (item handles and pictures) and reads every
// text from the items; when the tree loses items it empties itself at once, so no row can
// outlive its item, and asks to be filled again.
class ItemListModel final : public QAbstractTableModel, private TreeObserver
{
    Q_OBJECT

public:
    ItemListModel(ItemTree& tree, const ItemPictures& pictures, QObject* parent = nullptr);
    ~ItemListModel() override;

    // Fills the list for a node (none empties it): its child nodes and detail items, filtered and sorted.
    void Fill(const TreeNode* node);
    TKPXObject* ItemAt(int row) const;
    int RowOf(const TKPXObject* item) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction | Qt::CopyAction; }
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    void RefillWanted();
    void ItemRenamed(TKPXObject* item);
    // Files from the file manager (the first counts) and entries dropped on an entry.
    void FileDropped(const QString& path);
    void EntriesDroppedOn(TKPXObject* target);

private:
    void NodeAboutToBeRemoved(TreeNode& node) override;
    void DetailsChanged(TreeNode& owner) override;
    void TreeResetStarted() override;
    void TreeResetEnded() override;
    void Forget();

    ItemTree& m_tree;
    const ItemPictures& m_pictures;
    std::vector<ListRow> m_rows;
    // While the tree is in a bulk change (an import that lets the window repaint), the list
    // stays empty: the change may still delete what a fill would show.
    bool m_treeResetting = false;
};

} // namespace quillary
