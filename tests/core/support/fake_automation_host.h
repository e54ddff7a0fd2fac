// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "automation/automation_host.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "model/tree_node.h"
#include "shell/locate.h"

#include <string>
#include <vector>

namespace quillary {

// The main window as a cursor sees it; the find selects what the find box would.
class FakeHost final : public AutomationHost
{
public:
    explicit FakeHost(ItemTree& tree) : m_tree(tree) {}
    ActivePane GetActivePane() const override { return pane; }
    TreeNode* SelectedNode() const override { return selectedNode; }
    std::vector<TKPXObject*> SelectedRows() const override { return rows; }
    bool FindTitle(std::string_view title) override
    {
        const auto found = Locate(m_tree, title, selectedNode ? selectedNode->AbsoluteIndex() : 0);
        if (!found || !found->node)
            return false;
        selectedNode = found->node;
        rows.clear();
        pane = ActivePane::Folders;
        if (!found->entryTitle.empty()) {
            rows.push_back(EntryNamed(*found->node, found->entryTitle));
            pane = ActivePane::MainItems;
        }
        return true;
    }
    void SetClipboardText(const std::string& text) override { clipboard = text; }

    ActivePane pane = ActivePane::Folders;
    TreeNode* selectedNode = nullptr;
    std::vector<TKPXObject*> rows;
    std::string clipboard;

private:
    static TKPXObject* EntryNamed(const TreeNode& node, const std::string& title)
    {
        for (int i = 0; i < node.ChildCount(); ++i)
            if (node.ChildAt(i)->Text() == title)
                return node.ChildAt(i)->Data();
        for (const ListRow& row : node.Data()->FillList())
            if (row.item->GetTitle() == title)
                return row.item;
        return nullptr;
    }

    ItemTree& m_tree;
};

} // namespace quillary
