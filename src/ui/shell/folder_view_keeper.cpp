// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/folder_view_keeper.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "ui/shell/folder_tree_model.h"

#include <QTreeView>

#include <unordered_set>

namespace quillary {

FolderViewKeeper::FolderViewKeeper(QTreeView& view, FolderTreeModel& model, const ItemTree& tree)
    : QObject(&view), m_view(view), m_model(model), m_tree(tree)
{
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, &FolderViewKeeper::Remember);
    connect(&model, &QAbstractItemModel::modelReset, this, &FolderViewKeeper::Restore);
}

FolderViewKeeper::Mark FolderViewKeeper::MarkOf(const TreeNode& node)
{
    return {&node, node.Data() ? node.Data()->GetID() : 0};
}

void FolderViewKeeper::RememberExpanded(const TreeNode& node)
{
    // Only expanded nodes are entered, so the walk costs what the view shows, not the whole tree.
    if (!m_view.isExpanded(m_model.IndexOf(&node)))
        return;
    m_expanded.push_back(MarkOf(node));
    for (const TreeNode* child = node.FirstChild(); child; child = child->NextSibling())
        RememberExpanded(*child);
}

void FolderViewKeeper::Remember()
{
    m_expanded.clear();
    m_selectedPath.clear();
    RememberExpanded(m_tree.Root());
    for (const TreeNode* node = m_model.NodeAt(m_view.currentIndex()); node; node = node->Parent())
        m_selectedPath.push_back(MarkOf(*node));
}

void FolderViewKeeper::Restore()
{
    std::unordered_set<const TreeNode*> live;
    for (int i = 0; i < m_tree.NodeCount(); ++i)
        live.insert(m_tree.NodeAt(i));
    const auto stillThere = [&](const Mark& mark) {
        return live.count(mark.node) != 0 && MarkOf(*mark.node).id == mark.id;
    };
    for (const Mark& mark : m_expanded)
        if (stillThere(mark))
            m_view.expand(m_model.IndexOf(mark.node));
    for (const Mark& mark : m_selectedPath)
        if (stillThere(mark)) {
            const QModelIndex index = m_model.IndexOf(mark.node);
            m_view.setCurrentIndex(index);
            m_view.scrollTo(index);
            break;
        }
    m_expanded.clear();
    m_selectedPath.clear();
}

} // namespace quillary
