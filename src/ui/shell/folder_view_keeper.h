// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <cstdint>
#include <vector>

class QTreeView;

namespace quillary {

class FolderTreeModel;
class ItemTree;
class TreeNode;

// Keeps what the user sees of the folder tree across a bulk change (a drop of many entries, an
// import, a file read from the command line): such a change makes the model start afresh, which
// would collapse every node and lose the selection. The expanded nodes that still exist are
// expanded again, and the selected node (or, when it is gone, its nearest remaining ancestor)
// is selected again.
class FolderViewKeeper final : public QObject
{
    Q_OBJECT

public:
    FolderViewKeeper(QTreeView& view, FolderTreeModel& model, const ItemTree& tree);

private:
    // A node named by its items' identifiers from the root down: found again by walking from
    // the root, so a node removed meanwhile is never touched, and a walk costs only its own path.
    using Path = std::vector<std::int32_t>;

    void Remember();
    void Restore();
    void RememberExpanded(const TreeNode& node, Path& path);
    // The deepest node the path still reaches, and how many of its steps it took.
    std::pair<const TreeNode*, std::size_t> Follow(const Path& path) const;

    QTreeView& m_view;
    FolderTreeModel& m_model;
    const ItemTree& m_tree;
    std::vector<Path> m_expanded;
    Path m_selected;
    bool m_hadSelection = false;
};

} // namespace quillary
