// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/item_tree.h"

#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "model/tree_observer.h"
#include "model/tree_order.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <span>
#include <utility>

namespace quillary {

namespace {
// How far ahead of the row it reads the sorting of siblings asks for what it will read next.
constexpr std::size_t PrefetchRows = 8;

// Nodes keep their pictures in a byte: those of the tree kinds, the root and the due marker.
std::int8_t NodePicture(int image)
{
    assert(image >= INT8_MIN && image <= INT8_MAX);
    return static_cast<std::int8_t>(image);
}
} // namespace

ItemTree::ItemTree(const ItemServices& services) : m_services(WithHeadlessDefaults(services))
{
    auto rootItem = std::make_unique<TPlainObject>(*this, KindRoot, RootTitle, "", "", RootId, "");
    TKPXObject* item = rootItem.get();
    m_root = std::make_unique<TreeNode>(*this, nullptr, std::move(rootItem), std::string(RootTitle));
    m_root->m_image = m_root->m_selectedImage = ImageRoot;
    item->SetTreeNode(m_root.get());
}

void ItemTree::SetServices(const ItemServices& services)
{
    m_services = WithHeadlessDefaults(services);
}

ItemTree::~ItemTree()
{
    m_observers.clear();
    m_dying = m_root.get();
    m_root.reset();
}

TKPXObject& ItemTree::RootItem() const
{
    return *m_root->Data();
}

template <typename F> void ItemTree::Notify(F&& f)
{
    if (m_updateDepth > 0)
        return;
    for (TreeObserver* observer : m_observers)
        f(*observer);
}

void ItemTree::EnsureOrder() const
{
    if (m_orderValid)
        return;
    m_order.clear();
    std::vector<TreeNode*> stack{m_root.get()};
    while (!stack.empty()) {
        TreeNode* node = stack.back();
        stack.pop_back();
        node->m_absoluteIndex = static_cast<int>(m_order.size());
        m_order.push_back(node);
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            stack.push_back(*it);
    }
    m_orderValid = true;
}

int ItemTree::NodeCount() const
{
    EnsureOrder();
    return static_cast<int>(m_order.size());
}

TreeNode* ItemTree::NodeAt(int absoluteIndex) const
{
    EnsureOrder();
    return absoluteIndex >= 0 && absoluteIndex < static_cast<int>(m_order.size())
               ? m_order[static_cast<std::size_t>(absoluteIndex)]
               : nullptr;
}

int ItemTree::AbsoluteIndexOf(const TreeNode& node) const
{
    EnsureOrder();
    return node.m_absoluteIndex;
}

TreeNode& ItemTree::LastDescendant(TreeNode& node)
{
    TreeNode* last = &node;
    while (last->HasChildren())
        last = last->LastChild();
    return *last;
}

void ItemTree::Reindex(TreeNode& parent, int from)
{
    for (int i = std::max(from, 0); i < parent.ChildCount(); ++i)
        parent.m_children[static_cast<std::size_t>(i)]->m_index = i;
}

TreeNode& ItemTree::AddChild(TreeNode& parent, std::unique_ptr<TKPXObject> item, std::string text, int image,
                             int selectedImage)
{
    const int row = parent.ChildCount();
    Notify([&](TreeObserver& o) { o.NodeAboutToBeAdded(parent, row); });
    auto node = std::make_unique<TreeNode>(*this, &parent, std::move(item), std::move(text));
    node->m_index = row;
    node->m_image = NodePicture(image);
    node->m_selectedImage = NodePicture(selectedImage);
    TreeNode& added = *node;
    parent.m_children.push_back(std::move(node));
    MarkChanged();
    InvalidateOrder();
    Notify([&](TreeObserver& o) { o.NodeAdded(added); });
    return added;
}

void ItemTree::DeleteNode(TreeNode& node)
{
    assert(node.m_parent && "the root is never deleted");
    TreeNode& parent = *node.m_parent;
    const int row = node.m_index;
    if (m_sortDeferred && (m_sortDeferred == &node || node.IsAncestorOf(*m_sortDeferred)))
        m_sortDeferred = nullptr;
    Notify([&](TreeObserver& o) { o.NodeAboutToBeRemoved(node); });
    std::unique_ptr<TreeNode> doomed = parent.m_children.take(static_cast<std::size_t>(row));
    Reindex(parent, row);
    MarkChanged();
    InvalidateOrder();
    Notify([&](TreeObserver& o) { o.NodeRemoved(parent, row); });
    // The doomed subtree still reaches its old ancestors, so due markers below it are withdrawn.
    TreeNode* previous = std::exchange(m_dying, doomed.get());
    doomed.reset();
    m_dying = previous;
}

void ItemTree::DeleteChildren(TreeNode& parent)
{
    TreeUpdateGuard guard(*this);
    while (parent.HasChildren())
        DeleteNode(*parent.LastChild());
}

void ItemTree::MoveNode(TreeNode& node, TreeNode& newParent)
{
    assert(node.m_parent && !node.IsAncestorOf(newParent) && &node != &newParent);
    TreeNode& oldParent = *node.m_parent;
    const int oldRow = node.m_index;
    const int newRow = &oldParent == &newParent ? newParent.ChildCount() - 1 : newParent.ChildCount();
    Notify([&](TreeObserver& o) { o.NodeAboutToBeMoved(node, newParent, newRow); });
    std::unique_ptr<TreeNode> moving = oldParent.m_children.take(static_cast<std::size_t>(oldRow));
    Reindex(oldParent, oldRow);
    moving->m_parent = &newParent;
    moving->m_index = newParent.ChildCount();
    newParent.m_children.push_back(std::move(moving));
    const int shift = newParent.m_depth + 1 - node.m_depth;
    std::vector<TreeNode*> stack{&node};
    while (!stack.empty()) {
        TreeNode* n = stack.back();
        stack.pop_back();
        n->m_depth += shift;
        for (TreeNode* child : n->m_children)
            stack.push_back(child);
    }
    MarkChanged();
    InvalidateOrder();
    Notify([&](TreeObserver& o) { o.NodeMoved(node); });
}

void ItemTree::ShiftFlagCounts(TreeNode* start, int count)
{
    // The root never shows the marker, so it keeps no count either.
    for (TreeNode* node = start; node && node->Parent(); node = node->Parent()) {
        if (!node->Data())
            continue;
        node->m_flagCount += count;
        SetStateIndex(*node, node->m_flagCount > 0 ? DueStateImage : TreeNode::NoImage);
    }
}

void ItemTree::MoveNodeWithMarks(TreeNode& node, TreeNode& newParent)
{
    const int count = node.FlagCount();
    if (count != 0)
        ShiftFlagCounts(node.Parent(), -count);
    MoveNode(node, newParent);
    if (count != 0)
        ShiftFlagCounts(&newParent, count);
}

void ItemTree::SortChildren(TreeNode& parent)
{
    if (parent.m_children.size() < 2 || &parent == m_sortDeferred || IsKnownSorted(parent))
        return;
    // FoldersCompare on keys taken once. The titles are copied side by side in the case they
    // compare in, so comparing two reads neither node nor item nor a text of its own far away.
    struct Key
    {
        const TKPXObject* item;
        bool folder;
        std::size_t titleAt;
        std::size_t titleSize;
        int row;
    };
    std::vector<Key> keys;
    keys.reserve(parent.m_children.size());
    std::string titles;
    const auto& children = parent.m_children;
    for (std::size_t row = 0; row < children.size(); ++row) {
        // Nodes, items and their texts lie all over the pool: ask for a node three steps ahead,
        // for its item two steps ahead and for the item's texts one step ahead, so each has come
        // by the time it is read.
        if (row + 3 * PrefetchRows < children.size())
            __builtin_prefetch(children[row + 3 * PrefetchRows]);
        if (row + 2 * PrefetchRows < children.size())
            __builtin_prefetch(children[row + 2 * PrefetchRows]->Data());
        if (row + PrefetchRows < children.size())
            if (const TKPXObject* ahead = children[row + PrefetchRows]->Data())
                ahead->PrefetchTexts();
        const TKPXObject* item = children[row]->Data();
        const std::string_view title = item ? std::string_view(item->GetTitle()) : std::string_view();
        keys.push_back({item, item && item->GetKind() == KindFolder, titles.size(), title.size(), static_cast<int>(row)});
        AppendFoldedTitle(titles, title);
    }
    const auto before = [all = std::string_view(titles)](const Key& a, const Key& b) {
        if (!a.item || !b.item)
            return false;
        if (a.folder != b.folder)
            return a.folder;
        return all.substr(a.titleAt, a.titleSize) < all.substr(b.titleAt, b.titleSize);
    };
    if (std::is_sorted(keys.begin(), keys.end(), before)) {
        m_lastSorted = {&parent, m_generation};
        return;
    }
    Notify([&](TreeObserver& o) { o.ChildrenAboutToBeSorted(parent); });
    std::stable_sort(keys.begin(), keys.end(), before);
    std::vector<int> newRows(keys.size());
    const std::span<TreeNode*> places = parent.m_children.Places();
    std::vector<TreeNode*> unsorted(places.begin(), places.end());
    for (std::size_t row = 0; row < keys.size(); ++row) {
        newRows[static_cast<std::size_t>(keys[row].row)] = static_cast<int>(row);
        places[row] = unsorted[static_cast<std::size_t>(keys[row].row)];
    }
    Reindex(parent, 0);
    MarkChanged(); // the saved order is the shown order
    InvalidateOrder();
    m_lastSorted = {&parent, m_generation};
    Notify([&](TreeObserver& o) { o.ChildrenSorted(parent, newRows); });
}

void ItemTree::DeferSorting(TreeNode& parent)
{
    m_sortDeferred = &parent;
}

void ItemTree::ResumeSorting()
{
    TreeNode* parent = std::exchange(m_sortDeferred, nullptr);
    if (parent)
        SortChildren(*parent);
}

bool ItemTree::IsLive(const TreeNode& node) const
{
    return !m_dying || (&node != m_dying && !m_dying->IsAncestorOf(node));
}

void ItemTree::SetNodeText(TreeNode& node, std::string text)
{
    if (node.Text() != text)
        MarkChanged();
    node.SetText(std::move(text));
    if (IsLive(node))
        Notify([&](TreeObserver& o) { o.NodeChanged(node); });
}

void ItemTree::SetNodeImages(TreeNode& node, int image, int selectedImage)
{
    node.m_image = NodePicture(image);
    node.m_selectedImage = NodePicture(selectedImage);
    if (IsLive(node))
        Notify([&](TreeObserver& o) { o.NodeChanged(node); });
}

void ItemTree::SetStateIndex(TreeNode& node, int stateImage)
{
    if (node.m_stateImage == stateImage)
        return;
    node.m_stateImage = NodePicture(stateImage);
    if (IsLive(node))
        Notify([&](TreeObserver& o) { o.NodeChanged(node); });
}

void ItemTree::NotifyDetailsChanged(TreeNode& owner)
{
    if (IsLive(owner))
        Notify([&](TreeObserver& o) { o.DetailsChanged(owner); });
}

void ItemTree::BeginUpdate()
{
    if (m_updateDepth++ == 0)
        for (TreeObserver* observer : m_observers)
            observer->TreeResetStarted();
}

void ItemTree::EndUpdate()
{
    if (--m_updateDepth == 0)
        for (TreeObserver* observer : m_observers)
            observer->TreeResetEnded();
}

void ItemTree::AddObserver(TreeObserver* observer)
{
    m_observers.push_back(observer);
}

void ItemTree::RemoveObserver(TreeObserver* observer)
{
    std::erase(m_observers, observer);
}

} // namespace quillary
