// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/tree_commands.h"

#include "common/atomic_file.h"
#include "common/file_error.h"
#include "model/data_file.h"
#include "model/data_file_read.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/record_reader.h"
#include "model/record_writer.h"
#include "model/tree_depth.h"
#include "model/tree_node.h"
#include "model/tree_walk.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace quillary {

namespace {
// The item's own node, when it is a tree item that still has one.
TreeNode* OwnNode(const TKPXObject& item)
{
    TreeNode* node = item.GetTreeNode();
    return IsTreeKind(item.GetKind()) && node && node->Data() == &item ? node : nullptr;
}

// Whether node may become a child of target: not the root, not target itself nor above it.
bool IsMovableUnder(const TreeNode& node, const TreeNode& target)
{
    return node.Parent() && &node != &target && !node.IsAncestorOf(target);
}

// The same, and the subtree stays within the depth limit there.
bool CanMoveUnder(const TreeNode& node, const TreeNode& target)
{
    return IsMovableUnder(node, target) && FitsUnder(node, target);
}

void ClearTree(ItemTree& tree)
{
    tree.DeleteChildren(tree.Root());
    TKPXObject& root = tree.RootItem();
    while (root.HasChildren())
        root.DeleteChild(root.ChildAt(root.ChildCount() - 1));
}

} // namespace

void SortEveryNode(ItemTree& tree)
{
    // Sorting renumbers the nodes, so the list is taken before the first sort.
    std::vector<TreeNode*> nodes;
    ForEachInSubtree(tree.Root(), [&](TreeNode& node) { nodes.push_back(&node); });
    for (TreeNode* node : nodes)
        tree.SortChildren(*node);
}

std::string DeleteSubject(const std::vector<const TKPXObject*>& entries)
{
    if (entries.empty())
        return {};
    if (entries.size() == 1)
        return entries.front()->GetTitle();
    return "the " + std::to_string(entries.size()) + " selected items";
}

std::string DeleteQuestion(const std::string& subject)
{
    return "Are you sure you want to delete " + subject + " and all sub-items?";
}

void DeleteNodeItem(TreeNode& node)
{
    if (node.Parent())
        node.Tree().DeleteNode(node);
}

void DeleteEntries(TreeNode& selected, const std::vector<TKPXObject*>& entries)
{
    ItemTree& tree = selected.Tree();
    for (TKPXObject* item : entries) {
        if (!IsTreeKind(item->GetKind()))
            selected.Data()->DeleteChild(item); // does nothing for an item it does not hold
        else if (TreeNode* node = OwnNode(*item))
            DeleteNodeItem(*node);
    }
    tree.SortChildren(selected);
}

std::string CopyNodeRecords(TreeNode& node)
{
    std::ostringstream out;
    WriteSubtreeRecords(node, out);
    return std::move(out).str();
}

std::string CopyEntryRecords(const std::vector<TKPXObject*>& entries)
{
    std::string text;
    for (const TKPXObject* item : entries) {
        TreeNode* own = OwnNode(*item);
        if (!own) {
            WriteItem(*item, text, 1);
            continue;
        }
        const int base = own->Depth();
        ForEachInSubtree(*own, [&](TreeNode& node) { WriteItem(*node.Data(), text, node.Depth() - base + 1); });
    }
    return text;
}

bool PasteRecords(TreeNode& holder, std::string_view text, const std::filesystem::path& clipFile, ReadReport* report)
{
    if (text.empty())
        return false;
    WriteFileAtomically(clipFile, [&](std::ostream& out) {
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out)
            throw FileError(clipFile, "Cannot write file");
    });
    std::ifstream in(clipFile, std::ios::binary);
    if (!in)
        throw FileError(clipFile, "Cannot read file");
    {
        TreeUpdateGuard guard(holder.Tree());
        try {
            ReadItems(in, holder, report);
        } catch (const FileError&) {
            throw FileError(clipFile, "Cannot read file");
        }
    }
    holder.Tree().SortChildren(holder);
    return true;
}

bool Revert(ItemTree& tree, const std::filesystem::path& dataFile, std::string* problem)
{
    // The file is read whole before anything is removed: a file that cannot be read, even half
    // way, must not cost the session's tree. A missing file is the saved state of a program never
    // saved.
    std::string text;
    const DataFileRead read = ReadWholeFile(dataFile, text);
    if (read.state == DataFileState::Unreadable) {
        if (problem)
            *problem = read.problem;
        return false;
    }
    TreeUpdateGuard guard(tree);
    ClearTree(tree);
    if (read.state == DataFileState::Loaded) {
        std::istringstream in(std::move(text));
        LoadDataStream(in, tree.Root());
    }
    SortEveryNode(tree);
    return true;
}

bool DropNode(TreeNode& dragged, TreeNode& target)
{
    if (!CanMoveUnder(dragged, target))
        return false;
    ItemTree& tree = dragged.Tree();
    tree.MoveNodeWithMarks(dragged, target);
    tree.SortChildren(target);
    return true;
}

int DropEntries(TreeNode& selected, const std::vector<TKPXObject*>& entries, TreeNode& target)
{
    ItemTree& tree = selected.Tree();
    int refused = 0;
    {
        TreeUpdateGuard guard(tree);
        for (TKPXObject* item : entries) {
            if (IsTreeKind(item->GetKind())) {
                TreeNode* node = OwnNode(*item);
                if (node && CanMoveUnder(*node, target))
                    tree.MoveNodeWithMarks(*node, target);
                else if (node && DropPassesDepthLimit(*node, target))
                    ++refused;
                continue;
            }
            // An item the selected node does not hold is left where it is.
            std::unique_ptr<TKPXObject> detached = selected.Data()->DetachChild(item);
            if (!detached)
                continue;
            target.Data()->AddChild(std::move(detached));
            item->SetTreeNode(&target); // moves a due item's marker too
        }
    }
    tree.SortChildren(target);
    return refused;
}

bool DropPassesDepthLimit(const TreeNode& dragged, const TreeNode& target)
{
    return IsMovableUnder(dragged, target) && !FitsUnder(dragged, target);
}

std::string DepthLimitMessage(int refused)
{
    return std::string(refused == 1 ? "The item was" : std::to_string(refused) + " items were") +
           " not moved: the tree would then be more than " + std::to_string(MaxTreeDepth) + " levels deep.";
}

} // namespace quillary
