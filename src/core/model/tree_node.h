// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/owned_list.h"
#include "common/text_view.h"

#include <cstdint>
#include <memory>
#include <string_view>

namespace quillary {

class ItemTree;
class TKPXObject;

// One node of the folder tree. The tree of folders, organizations, teams, persons and websites
// is held by these nodes, not by the items: each node owns the item it shows (its data, the
// item's handle) and its child nodes. Structure changes go through ItemTree, which keeps the
// depth-first order and tells its observers.
class TreeNode
{
public:
    static constexpr int NoImage = -1;

    TreeNode(ItemTree& tree, TreeNode* parent, std::unique_ptr<TKPXObject> item, std::string_view text);
    ~TreeNode();
    TreeNode(const TreeNode&) = delete;
    TreeNode& operator=(const TreeNode&) = delete;
    // Nodes are made and freed in the shared block pool, like their items.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    ItemTree& Tree() const { return *m_tree; }
    TreeNode* Parent() const { return m_parent; }
    TKPXObject* Data() const { return m_item.get(); }
    // The label: the item's title, unless it was set to something else.
    TextView Text() const;

    int Depth() const { return m_depth; }
    int Index() const { return m_index; } // position among its siblings
    int AbsoluteIndex() const;

    int ChildCount() const { return static_cast<int>(m_children.size()); }
    bool HasChildren() const { return !m_children.empty(); }
    TreeNode* ChildAt(int index) const;
    TreeNode* FirstChild() const { return ChildAt(0); }
    TreeNode* LastChild() const { return ChildAt(ChildCount() - 1); }
    TreeNode* NextSibling() const;
    bool IsAncestorOf(const TreeNode& other) const;

    int ImageIndex() const { return m_image; }
    int SelectedIndex() const { return m_selectedImage; }
    int StateIndex() const { return m_stateImage; }
    // The flagged items at or below this node (see ItemTree::ShiftFlagCounts).
    int FlagCount() const { return m_flagCount; }

private:
    friend class ItemTree;
    void SetText(std::string_view text);

    // A large tree has a node per person: the pictures (those of the five tree kinds and the
    // root) are kept in a byte each, the rare label of its own is kept by the tree, and the
    // children are an OwnedList, so a node takes 56 bytes.
    ItemTree* m_tree;
    TreeNode* m_parent;
    std::unique_ptr<TKPXObject> m_item;
    OwnedList<TreeNode> m_children;
    int m_depth = 0;
    int m_index = 0;
    mutable int m_absoluteIndex = 0;
    int m_flagCount = 0;
    std::int8_t m_image = NoImage;
    std::int8_t m_selectedImage = NoImage;
    std::int8_t m_stateImage = NoImage;
    bool m_ownLabel = false; // the label differs from the item's title
};

} // namespace quillary
