// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"
#include "model/tree_observer.h"
#include "search/search_index.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>

class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;

namespace quillary {

class ItemTree;
class TPartyObject;
class TreeNode;

// Edit, "Search Everywhere...": a search field over every field of every person and organization,
// with a live list of what matches (the title, the field that matched and its value); Enter or a
// double click selects the item in the tree. The index is built on a thread of its own from a
// snapshot taken here, and kept current from the tree's notifications and, for edits the tree
// does not tell item by item, from the item the window has selected.
class SearchEverywhereDialog final : public QDialog, private TreeObserver
{
    Q_OBJECT

public:
    struct Window
    {
        std::function<CategoryNames()> categoryNames;
        std::function<TreeNode*()> selected;       // the node whose items the window shows
        std::function<void(TreeNode&)> select;     // selects a node in the tree
    };

    SearchEverywhereDialog(ItemTree& tree, Window window, QWidget* parent);
    ~SearchEverywhereDialog() override;

    // The tree changed in many places at once (a synchronisation): the index is built afresh.
    void Rebuild();
    // Whether the index is ready (built and handed over).
    bool Ready() const { return m_ready; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void NodeAdded(TreeNode& node) override;
    void NodeAboutToBeRemoved(TreeNode& node) override;
    void NodeMoved(TreeNode& node) override;
    void NodeChanged(TreeNode& node) override;
    void DetailsChanged(TreeNode& owner) override;
    void TreeResetStarted() override;
    void TreeResetEnded() override;

    void Built(std::shared_ptr<SearchIndex> index, std::uint64_t generation);
    void Touch(const TreeNode& node);
    void TakeChanges();
    void ShowMatches();
    void Choose();
    void Step(int rows);

    ItemTree& m_tree;
    Window m_window;
    QLineEdit* m_query = nullptr;
    QTreeWidget* m_matches = nullptr;
    QLabel* m_count = nullptr;
    QTimer* m_refresh = nullptr; // shows the matches again once a change of the tree is over
    SearchIndex m_index;
    bool m_ready = false;
    int m_builds = 0; // the build in flight; an older one's index is thrown away
    std::uint64_t m_generation = 0; // the tree's change generation the index has seen
    std::set<const TPartyObject*> m_dirty;
    std::set<const TKPXObject*> m_removed; // while a build runs: what its snapshot names and is gone
};

} // namespace quillary
