// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace quillary {

class ItemTree;
class SyncStore;
class SyncTreeAccess;
class TPartyObject;
class TreeNode;

// Thrown by a piece of tree work that finds the synced node gone: the run cannot go on.
struct SyncNodeGone
{
};

// The synced node's subtree as a run reaches it: piece by piece, through the tree access (or
// directly without one). Between pieces the user may move, edit or delete anything, so each piece
// finds the node again by its identifiers and the items by theirs.
class SyncTree
{
public:
    SyncTree(ItemTree& tree, std::vector<std::int32_t> nodeIds, SyncTreeAccess* access);
    // Work right here on node itself, which nobody else changes meanwhile.
    explicit SyncTree(TreeNode& node);

    // Runs work on the node where the tree lives; throws SyncNodeGone when the node is gone.
    void Run(const std::function<void(TreeNode& node)>& work);
    // Saves the tree where it lives.
    void SaveTree(SyncStore& store);

    // Inside a piece: the person or organization below the node with that identifier, if any.
    TPartyObject* Item(std::int32_t id) const;
    // Inside a piece: the run itself made or deleted an item.
    void Remember(TPartyObject& item);
    void Forget(std::int32_t id);

private:
    ItemTree& m_tree;
    std::vector<std::int32_t> m_nodeIds;
    SyncTreeAccess* m_access = nullptr;
    TreeNode* m_fixed = nullptr;
    std::map<std::int32_t, TPartyObject*> m_items;
    // The tree's change generation when m_items was made; any change since may have moved items.
    std::uint64_t m_generation = 0;
    bool m_mapped = false;
};

} // namespace quillary
