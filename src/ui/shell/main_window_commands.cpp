// SPDX-License-Identifier: GPL-3.0-or-later
// Main window commands that make and edit items: the New commands and "&Properties".
#include "ui/shell/main_form.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/new_item.h"
#include "ui/shell/folder_tree_model.h"
#include "ui/shell/item_list_model.h"

#include <QAbstractItemView>
#include <QStackedWidget>
#include <QTreeView>

namespace quillary {

TreeNode& TMainForm::HolderNode()
{
    // The selected node receives new items; with nothing selected, the root is selected first.
    if (TreeNode* node = SelectedNode())
        return *node;
    SelectNode(Tree().Root());
    return Tree().Root();
}

void TMainForm::NewItemCommand(int kind)
{
    TreeNode& holder = HolderNode();
    NewItem(holder, kind);
    // A folder or team is still having its label edited: the list is refilled once that ends.
    if (kind != KindFolder && kind != KindTeam)
        FoldersChange(SelectedNode());
}

void TMainForm::ListPaneProps()
{
    if (m_activePane == Pane::MainItems) {
        const QList<TKPXObject*> items = SelectedItems();
        if (items.isEmpty())
            return;
        const TKPXObject* edited = items.first();
        items.first()->EditProperties();
        RefreshFolderTitles();
        FoldersChange(SelectedNode());
        // The entry stays selected, OK or Cancel, so that the next command (Delete, say) meets it.
        if (const int row = m_listModel->RowOf(edited); row >= 0) {
            auto* list = static_cast<QAbstractItemView*>(m_listStack->currentWidget());
            list->selectionModel()->setCurrentIndex(m_listModel->index(row, 0),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        return;
    }
    TreeNode* node = SelectedNode();
    if (!node || !node->Parent() || !node->Data())
        return; // the root has no properties
    node->Data()->EditProperties();
    RefreshFolderTitles();
    FoldersChange(SelectedNode());
}

} // namespace quillary
