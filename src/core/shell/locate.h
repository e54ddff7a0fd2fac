// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

class ItemTree;
class TreeNode;

// Where a find lands: the node to select, and the list entry to highlight in it.
struct LocateResult
{
    TreeNode* node = nullptr;
    std::string entryTitle; // empty: give the tree the focus
};

// Finds the next item after startIndex (an absolute node index) whose title has a word that
// begins with text, ignoring the case of ASCII letters; a node's contact details and other
// detail items count for the node. The search wraps around and ends with the start node itself.
// A matching tree item is shown as an entry of its parent's list; the root as itself.
// progress learns of every visited node (1 up to total, the node count). Empty text finds nothing.
std::optional<LocateResult> Locate(ItemTree& tree, std::string_view text, int startIndex,
                                   const std::function<void(int visited, int total)>& progress = {});

// Whether the first occurrence of lowerText in text, compared without ASCII case, starts the
// text or follows a blank. Later occurrences do not count.
bool TitleMatchesWord(std::string_view text, std::string_view lowerText);

} // namespace quillary
