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
    // A node remembered with its item's identifier, so that a new node that happens to take a
    // removed node's place in memory is not mistaken for it.
    struct Mark
    {
        const TreeNode* node;
        std::int32_t id;
    };

    void Remember();
    void Restore();
    void RememberExpanded(const TreeNode& node);
    static Mark MarkOf(const TreeNode& node);

    QTreeView& m_view;
    FolderTreeModel& m_model;
    const ItemTree& m_tree;
    std::vector<Mark> m_expanded;
    std::vector<Mark> m_selectedPath; // the selected node first, then its ancestors
};

} // namespace quillary
