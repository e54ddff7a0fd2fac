// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_filter.h"
#include "model/id_registry.h"
#include "model/item_services.h"
#include "model/tree_node.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quillary {

class TreeObserver;

// The folder tree's node collection: the root "My Contacts" and everything beneath it, the
// depth-first order by which nodes are numbered, the identifiers in use, the category filter
// and the services through which items reach the desktop.
class ItemTree
{
public:
    explicit ItemTree(const ItemServices& services = {});
    ~ItemTree();
    ItemTree(const ItemTree&) = delete;
    ItemTree& operator=(const ItemTree&) = delete;

    TreeNode& Root() { return *m_root; }
    const TreeNode& Root() const { return *m_root; }
    TKPXObject& RootItem() const;

    const ItemServices& Services() const { return m_services; }
    // A window that comes to show the tree after it was made (or goes again) brings its own view,
    // dialogs and actions; empty members fall back to the headless stand-ins.
    void SetServices(const ItemServices& services);
    CategoryFilter& Filter() { return m_filter; }
    const CategoryFilter& Filter() const { return m_filter; }
    IdRegistry& Ids() { return m_ids; }

    // Nodes in depth-first order, each before its children, the root being 0.
    int NodeCount() const;
    TreeNode* NodeAt(int absoluteIndex) const;
    int AbsoluteIndexOf(const TreeNode& node) const;
    // The last node of the subtree that starts at node (found by stepping to last children).
    static TreeNode& LastDescendant(TreeNode& node);

    TreeNode& AddChild(TreeNode& parent, std::unique_ptr<TKPXObject> item, std::string text, int image,
                       int selectedImage);
    void DeleteNode(TreeNode& node);
    void DeleteChildren(TreeNode& parent);
    void MoveNode(TreeNode& node, TreeNode& newParent); // becomes the last child
    void SortChildren(TreeNode& parent);                // with FoldersCompare
    // Bulk imports rename thousands of new children of one parent: sorting that parent is put
    // off until ResumeSorting, which sorts it once (see DeferredSort).
    void DeferSorting(TreeNode& parent);
    void ResumeSorting();
    // MoveNode for a node that may carry due markers: the flagged items at or below it stop
    // counting for its old ancestors and count for its new ones, so the markers follow it.
    void MoveNodeWithMarks(TreeNode& node, TreeNode& newParent);
    // Adds count to the flagged items counted at start and at its ancestors below the root, and
    // shows or clears their due markers.
    void ShiftFlagCounts(TreeNode* start, int count);
    void SetNodeText(TreeNode& node, std::string text);
    void SetNodeImages(TreeNode& node, int image, int selectedImage);
    void SetStateIndex(TreeNode& node, int stateImage);
    void NotifyDetailsChanged(TreeNode& owner);

    // Every change of the tree's data counts one step: structure changes count themselves, field
    // edits call MarkChanged. A saved or freshly read tree calls MarkSaved; the changes since then
    // are the unsaved ones.
    std::uint64_t ChangeGeneration() const { return m_generation; }
    void MarkChanged() { ++m_generation; }
    void MarkSaved() { m_savedGeneration = m_generation; }
    bool HasUnsavedChanges() const { return m_generation != m_savedGeneration; }

    // Suspends notifications; the outermost EndUpdate tells observers to read the tree afresh.
    void BeginUpdate();
    void EndUpdate();

    void AddObserver(TreeObserver* observer);
    void RemoveObserver(TreeObserver* observer);

private:
    static constexpr int DueStateImage = 1;
    template <typename F> void Notify(F&& f);
    void InvalidateOrder() { m_orderValid = false; }
    // Every change that can move a node in its siblings' order (a title, a node added or moved)
    // counts a step, so a parent sorted with no step since is sorted still. Sorting the whole tree
    // after an import that sorted its destination then reads that long list once, not twice.
    bool IsKnownSorted(const TreeNode& parent) const
    {
        return &parent == m_lastSorted.parent && m_generation == m_lastSorted.generation;
    }
    void EnsureOrder() const;
    static void Reindex(TreeNode& parent, int from);
    // False for nodes of a subtree that is being destroyed: views no longer know them.
    bool IsLive(const TreeNode& node) const;

    ItemServices m_services;
    CategoryFilter m_filter;
    IdRegistry m_ids;
    std::vector<TreeObserver*> m_observers;
    int m_updateDepth = 0;
    mutable std::vector<TreeNode*> m_order;
    mutable bool m_orderValid = false;
    TreeNode* m_dying = nullptr;
    TreeNode* m_sortDeferred = nullptr;
    struct
    {
        const TreeNode* parent = nullptr;
        std::uint64_t generation = 0;
    } m_lastSorted;
    std::uint64_t m_generation = 0;
    std::uint64_t m_savedGeneration = 0;
    // The labels of the few nodes whose label is not their item's title (see TreeNode::Text).
    friend class TreeNode;
    std::unordered_map<const TreeNode*, std::string> m_labels;
    std::unique_ptr<TreeNode> m_root;
};

// RAII form of BeginUpdate/EndUpdate.
class TreeUpdateGuard
{
public:
    explicit TreeUpdateGuard(ItemTree& tree) : m_tree(tree) { m_tree.BeginUpdate(); }
    ~TreeUpdateGuard() { m_tree.EndUpdate(); }
    TreeUpdateGuard(const TreeUpdateGuard&) = delete;
    TreeUpdateGuard& operator=(const TreeUpdateGuard&) = delete;

private:
    ItemTree& m_tree;
};

// RAII form of DeferSorting/ResumeSorting.
class DeferredSort
{
public:
    DeferredSort(ItemTree& tree, TreeNode& parent) : m_tree(tree) { m_tree.DeferSorting(parent); }
    ~DeferredSort() { m_tree.ResumeSorting(); }
    DeferredSort(const DeferredSort&) = delete;
    DeferredSort& operator=(const DeferredSort&) = delete;

private:
    ItemTree& m_tree;
};

} // namespace quillary
