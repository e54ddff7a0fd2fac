// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree_observer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

class AutomationHost;
class ItemTree;
class TKPXObject;

// One automation client's cursor on the tree: a current node and a current item, which is the
// node's item or, after Child, UserSelected or ItemWithId, another one. A new cursor stands on
// the root "My Contacts". Reading members never throw (they answer 0, false or empty text);
// Insert, CopyClipboard, DoDefaultAction and the writes throw AutomationError.
//
// The cursor watches the tree: when the node it stands on goes away it returns to the root, and
// when only its current item goes away it returns to the current node's item. Besides the node
// and the item it keeps the node that holds the item (the item's own node, or the owner's node
// of a detail), so every removal can be recognised without touching what was removed. Bulk
// changes, which report no single removals, are checked afterwards by looking the node up among
// the live ones. The tree must outlive its cursors.
class TZelkApp final : private TreeObserver
{
public:
    TZelkApp(ItemTree& tree, AutomationHost& host);
    ~TZelkApp() override;
    TZelkApp(const TZelkApp&) = delete;
    TZelkApp& operator=(const TZelkApp&) = delete;

    // Makes an item under the current node; the cursor stays where it is.
    void Insert(int kind, std::string_view title, std::string_view target, std::string_view comment,
                std::string_view details);
    void CopyClipboard();
    void DoDefaultAction();

    std::int32_t zelkID() const;
    std::int32_t zelkClass() const;
    std::string zelkTitle() const;
    void SetZelkTitle(std::string_view title);
    std::string zelkTarget() const;
    void SetZelkTarget(std::string_view target);
    std::string zelkComment() const;
    void SetZelkComment(std::string_view comment);
    std::string zelkField(std::string_view field) const;
    void SetZelkField(std::string_view field, std::string_view value);

    std::int32_t ItemCount() const;
    bool Items(std::int32_t index);
    std::int32_t CurrentItemIndex() const;
    std::int32_t NextSiblingIndex() const;
    std::int32_t ChildCount() const;
    bool Child(std::int32_t index);
    std::int32_t SelectCount() const;
    bool UserSelected(std::int32_t n);
    bool NextItemWithTitle(std::string_view title);
    bool ItemWithId(std::int32_t id);

private:
    void MoveTo(TreeNode& node);
    void SetItem(TKPXObject& item, TreeNode& holder);
    bool IsLive(const TreeNode* node) const;
    bool HoldsItem(const TreeNode& holder) const;

    void NodeAboutToBeRemoved(TreeNode& node) override;
    void DetailsChanged(TreeNode& owner) override;
    void TreeResetEnded() override;

    ItemTree& m_tree;
    AutomationHost& m_host;
    TreeNode* m_node;
    TKPXObject* m_item;
    TreeNode* m_holder; // m_item is its Data() or one of its Data()'s detail children
};

} // namespace quillary
