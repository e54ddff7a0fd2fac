// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/folder_view_keeper.h"

#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "ui/shell/folder_tree_model.h"

#include <QTreeView>

#include <algorithm>

namespace quillary {

namespace {
std::int32_t IdOf(const TreeNode& node)
{
    return node.Data() ? node.Data()->GetID() : 0;
}
} // namespace

FolderViewKeeper::FolderViewKeeper(QTreeView& view, FolderTreeModel& model, const ItemTree& tree)
    : QObject(&view), m_view(view), m_model(model), m_tree(tree)
{
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this, &FolderViewKeeper::Remember);
    connect(&model, &QAbstractItemModel::modelReset, this, &FolderViewKeeper::Restore);
}

void FolderViewKeeper::RememberExpanded(const TreeNode& node, Path& path)
{
    // Only expanded nodes are entered, so the walk costs what the view shows, not the whole tree.
    if (!m_view.isExpanded(m_model.IndexOf(&node)))
        return;
    m_expanded.push_back(path);
    for (const TreeNode* child = node.FirstChild(); child; child = child->NextSibling()) {
        path.push_back(IdOf(*child));
        RememberExpanded(*child, path);
        path.pop_back();
    }
}

void FolderViewKeeper::Remember()
{
    m_expanded.clear();
    m_selected.clear();
    Path path;
    RememberExpanded(m_tree.Root(), path);
    m_hadSelection = m_view.currentIndex().isValid();
    for (const TreeNode* node = m_model.NodeAt(m_view.currentIndex()); node && node->Parent(); node = node->Parent())
        m_selected.push_back(IdOf(*node));
    std::reverse(m_selected.begin(), m_selected.end());
}

std::pair<const TreeNode*, std::size_t> FolderViewKeeper::Follow(const Path& path) const
{
    const TreeNode* node = &m_tree.Root();
    std::size_t step = 0;
    for (; step < path.size(); ++step) {
        const TreeNode* child = node->FirstChild();
        while (child && IdOf(*child) != path[step])
            child = child->NextSibling();
        if (!child)
            break;
        node = child;
    }
    return {node, step};
}

void FolderViewKeeper::Restore()
{
    for (const Path& path : m_expanded)
        if (const auto [node, steps] = Follow(path); steps == path.size())
            m_view.expand(m_model.IndexOf(node));
    if (m_hadSelection) {
        const QModelIndex index = m_model.IndexOf(Follow(m_selected).first);
        m_view.setCurrentIndex(index);
        m_view.scrollTo(index);
    }
    m_expanded.clear();
    m_selected.clear();
}

} // namespace quillary
