// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/tree_node.h"

#include "common/block_pool.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

namespace quillary {

TreeNode::TreeNode(ItemTree& tree, TreeNode* parent, std::unique_ptr<TKPXObject> item, std::string_view text)
    : m_tree(&tree), m_parent(parent), m_item(std::move(item)), m_depth(parent ? parent->m_depth + 1 : 0)
{
    static_assert(sizeof(TreeNode) <= 56);
    SetText(text);
}

TextView TreeNode::Text() const
{
    return m_ownLabel ? TextView(m_tree->m_labels.at(this)) : m_item->GetTitle();
}

void TreeNode::SetText(std::string_view text)
{
    // Most labels are their item's title; keeping no copy of it saves a text per node.
    m_ownLabel = !m_item || text != m_item->GetTitle();
    if (m_ownLabel)
        m_tree->m_labels.insert_or_assign(this, std::string(text));
    else
        m_tree->m_labels.erase(this);
}

void* TreeNode::operator new(std::size_t size)
{
    static_assert(alignof(TreeNode) <= BlockPool::Grain);
    return BlockPool::Shared().Allocate(size);
}

void TreeNode::operator delete(void* block, std::size_t size) noexcept
{
    BlockPool::Shared().Free(block, size);
}

TreeNode::~TreeNode()
{
    // Children first, then the item: items below still walk up through this node to clear due
    // markers while they are destroyed. The subtree goes leaf by leaf, deepest first, so each
    // destructor below finds no children and a deep tree never nests destructor calls.
    TreeNode* node = this;
    for (;;) {
        while (!node->m_children.empty())
            node = node->m_children.back();
        if (node == this)
            break;
        node = node->m_parent;
        node->m_children.pop_back();
    }
    m_item.reset();
    if (m_ownLabel)
        m_tree->m_labels.erase(this);
}

int TreeNode::AbsoluteIndex() const
{
    return m_tree->AbsoluteIndexOf(*this);
}

TreeNode* TreeNode::ChildAt(int index) const
{
    return index >= 0 && index < ChildCount() ? m_children[static_cast<std::size_t>(index)] : nullptr;
}

TreeNode* TreeNode::NextSibling() const
{
    return m_parent ? m_parent->ChildAt(m_index + 1) : nullptr;
}

bool TreeNode::IsAncestorOf(const TreeNode& other) const
{
    for (const TreeNode* node = other.m_parent; node; node = node->m_parent)
        if (node == this)
            return true;
    return false;
}

} // namespace quillary
