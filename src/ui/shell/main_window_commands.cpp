// SPDX-License-Identifier: GPL-3.0-or-later
// Main window commands that make and edit items: the New commands and "&Properties".
#include "ui/shell/main_form.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "shell/new_item.h"
#include "ui/shell/folder_tree_model.h"

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
        items.first()->EditProperties();
    } else {
        TreeNode* node = SelectedNode();
        if (!node || !node->Parent() || !node->Data())
            return; // the root has no properties
        node->Data()->EditProperties();
    }
    RefreshFolderTitles();
    FoldersChange(SelectedNode());
}

} // namespace quillary
