// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/record_reader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class ItemTree;
class TKPXObject;

// The main window's commands that change the folder tree, free of any window: the window picks
// the nodes and list entries, asks its questions and refreshes its views afterwards.
//
// "entries" are the items of the selected list entries, in list order. They are the detail
// items and the child nodes' items of "selected", the node whose contents the list shows.

// What the delete question names: the one entry's title, or "the N selected items".
std::string DeleteSubject(const std::vector<const TKPXObject*>& entries);
std::string DeleteQuestion(const std::string& subject);

// Deletes node with its item and whole subtree. The root is never deleted.
void DeleteNodeItem(TreeNode& node);
// Deletes detail entries from selected's item and tree entries with their subtrees, then
// re-sorts selected's children.
void DeleteEntries(TreeNode& selected, const std::vector<TKPXObject*>& entries);

// Clipboard records (CR LF line ends). A node is copied with its subtree, the node at level 1,
// items hidden by the category filter left out. List entries are copied each at level 1 with,
// for tree items, their whole subtree (the filter does not apply: the user picked them).
std::string CopyNodeRecords(TreeNode& node);
std::string CopyEntryRecords(const std::vector<TKPXObject*>& entries);
// Stages text in clipFile and reads it beneath holder, levels counting from holder. Empty text
// pastes nothing: the result is false. Throws FileError when clipFile cannot be written or read.
// The report, when asked for, tells among others how many records were placed at the depth limit.
bool PasteRecords(TreeNode& holder, std::string_view text, const std::filesystem::path& clipFile,
                  ReadReport* report = nullptr);

// Re-sorts the children of every node of the tree.
void SortEveryNode(ItemTree& tree);

// Replaces the whole tree below the root, and the root's detail items, by the data file's
// contents; a missing file leaves the root alone. A file that exists but cannot be read to its
// end changes nothing: the result is then false, and problem (when given) says why.
bool Revert(ItemTree& tree, const std::filesystem::path& dataFile, std::string* problem = nullptr);

// Moves dragged to become target's last child, re-sorting target's children. A drop onto the
// dragged node itself or into its own subtree, or of the root, does nothing, nor does one that
// would take the subtree deeper than MaxTreeDepth: the result says whether the node moved. Due
// markers move with the node.
bool DropNode(TreeNode& dragged, TreeNode& target);
// Moves list entries to target: detail items join target's item, tree items' nodes become
// target's children (skipping moves into themselves). Then target's children are re-sorted.
// Tree items whose subtree would pass MaxTreeDepth stay where they are; the result counts them.
int DropEntries(TreeNode& selected, const std::vector<TKPXObject*>& entries, TreeNode& target);
// Whether dropping dragged onto target is refused only because of the depth limit.
bool DropPassesDepthLimit(const TreeNode& dragged, const TreeNode& target);
// Why refused nodes were not moved.
std::string DepthLimitMessage(int refused);

} // namespace quillary
