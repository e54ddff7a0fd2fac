// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TKPXObject;
class TreeNode;

// The pane of the main window that has the focus.
enum class ActivePane { Folders, MainItems, Other };

// What an automation cursor needs of the main window: the user's selection, the find box and
// the clipboard.
class AutomationHost
{
public:
    virtual ~AutomationHost() = default;
    virtual ActivePane GetActivePane() const = 0;
    // The folder tree's selected node, or none.
    virtual TreeNode* SelectedNode() const = 0;
    // The items of the item list's selected rows, from the first row down.
    virtual std::vector<TKPXObject*> SelectedRows() const = 0;
    // Runs the find box's search for title as the user would; false when nothing was found.
    virtual bool FindTitle(std::string_view title) = 0;
    // Replaces the clipboard's content with plain text only.
    virtual void SetClipboardText(const std::string& text) = 0;
};

} // namespace quillary
