// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/sync_tree.h"

#include "model/item_tree.h"
#include "model/items_party.h"
#include "sync/local_cards.h"
#include "sync/sync_run.h"
#include "sync/sync_tree_access.h"

namespace quillary {

SyncTree::SyncTree(ItemTree& tree, std::vector<std::int32_t> nodeIds, SyncTreeAccess* access)
    : m_tree(tree), m_nodeIds(std::move(nodeIds)), m_access(access)
{
}

SyncTree::SyncTree(TreeNode& node) : m_tree(node.Tree()), m_fixed(&node) {}

void SyncTree::Run(const std::function<void(TreeNode& node)>& work)
{
    const auto piece = [&] {
        // Identifiers need not be unique in a data file: a node given as itself stays itself.
        TreeNode* node = m_fixed ? m_fixed : FindNodeByIds(m_tree.Root(), m_nodeIds);
        if (!node)
            throw SyncNodeGone{};
        if (!m_mapped || m_generation != m_tree.ChangeGeneration()) {
            m_items = PartiesById(*node);
            m_generation = m_tree.ChangeGeneration();
            m_mapped = true;
        }
        work(*node);
    };
    if (m_access)
        m_access->Run(piece);
    else
        piece();
}

void SyncTree::SaveTree(SyncStore& store)
{
    if (m_access)
        m_access->Run([&] { store.SaveTree(); });
    else
        store.SaveTree();
}

TPartyObject* SyncTree::Item(std::int32_t id) const
{
    const auto it = m_items.find(id);
    return it == m_items.end() ? nullptr : it->second;
}

void SyncTree::Remember(TPartyObject& item)
{
    m_items[item.GetID()] = &item;
}

void SyncTree::Forget(std::int32_t id)
{
    m_items.erase(id);
}

} // namespace quillary
