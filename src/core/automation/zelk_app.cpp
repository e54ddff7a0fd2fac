// SPDX-License-Identifier: GPL-3.0-or-later
#include "automation/zelk_app.h"

#include "automation/automation_error.h"
#include "automation/automation_host.h"
#include "automation/field_write.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

#include <algorithm>

namespace quillary {

namespace {
// Reading members answer fallback whatever goes wrong: clients only see the value.
template <typename F, typename R> R Quietly(F&& read, R fallback)
{
    try {
        return read();
    } catch (...) {
        return fallback;
    }
}

// Other failures of acting members reach the client as automation errors with their message.
template <typename F> void Reporting(F&& act)
{
    try {
        act();
    } catch (const AutomationError&) {
        throw;
    } catch (const std::exception& e) {
        throw AutomationError(e.what());
    } catch (...) {
        throw AutomationError("The call failed");
    }
}

bool IsInsertableKind(int kind)
{
    return kind >= KindFolder && kind <= KindTool && kind != KindRoot;
}
} // namespace

TZelkApp::TZelkApp(ItemTree& tree, AutomationHost& host)
    : m_tree(tree), m_host(host), m_node(&tree.Root()), m_item(tree.Root().Data()), m_holder(&tree.Root())
{
    m_tree.AddObserver(this);
}

TZelkApp::~TZelkApp()
{
    m_tree.RemoveObserver(this);
}

void TZelkApp::Insert(int kind, std::string_view title, std::string_view target, std::string_view comment,
                      std::string_view details)
{
    if (!IsInsertableKind(kind))
        throw AutomationError("Items of kind " + std::to_string(kind) + " cannot be inserted");
    Reporting([&] {
        TKPXObject* item = CreateItem(kind, title, target, comment, *m_node, CleanLineText(details), 0);
        // The folder tree keeps its children sorted; new nodes take their place at once.
        if (item && IsTreeKind(kind))
            m_tree.SortChildren(*m_node);
    });
}

void TZelkApp::CopyClipboard()
{
    Reporting([&] { m_host.SetClipboardText(m_item->GetPlainText()); });
}

void TZelkApp::DoDefaultAction()
{
    Reporting([&] { m_item->OpenDefault(); });
}

std::int32_t TZelkApp::zelkID() const
{
    return Quietly([&] { return m_item->GetID(); }, 0);
}

std::int32_t TZelkApp::zelkClass() const
{
    return Quietly([&] { return m_item->GetKind() & 0x7F; }, 0);
}

std::string TZelkApp::zelkTitle() const
{
    return Quietly([&] { return m_item->GetTitle(); }, std::string());
}

void TZelkApp::SetZelkTitle(std::string_view title)
{
    Reporting([&] { m_item->SetTitle(title); });
}

std::string TZelkApp::zelkTarget() const
{
    return Quietly([&] { return m_item->GetTarget(); }, std::string());
}

void TZelkApp::SetZelkTarget(std::string_view target)
{
    Reporting([&] { m_item->SetTarget(target); });
}

std::string TZelkApp::zelkComment() const
{
    return Quietly([&] { return m_item->GetComment(); }, std::string());
}

void TZelkApp::SetZelkComment(std::string_view comment)
{
    Reporting([&] { m_item->SetComment(comment); });
}

std::string TZelkApp::zelkField(std::string_view field) const
{
    return Quietly([&] { return m_item->GetFieldText(field); }, std::string());
}

void TZelkApp::SetZelkField(std::string_view field, std::string_view value)
{
    Reporting([&] {
        WriteItemField(*m_item, field, value);
        m_tree.MarkChanged(); // a kind's own fields have no setters that count
    });
}

std::int32_t TZelkApp::ItemCount() const
{
    return Quietly([&] { return m_tree.NodeCount(); }, 0);
}

bool TZelkApp::Items(std::int32_t index)
{
    return Quietly(
        [&] {
            TreeNode* node = m_tree.NodeAt(index);
            if (node)
                MoveTo(*node);
            return node != nullptr;
        },
        false);
}

std::int32_t TZelkApp::CurrentItemIndex() const
{
    return Quietly([&] { return m_tree.AbsoluteIndexOf(*m_node); }, 0);
}

std::int32_t TZelkApp::NextSiblingIndex() const
{
    return Quietly(
        [&] {
            if (const TreeNode* next = m_node->NextSibling())
                return m_tree.AbsoluteIndexOf(*next);
            return m_node->HasChildren() ? m_tree.AbsoluteIndexOf(*m_node->LastChild()) : -1;
        },
        -1);
}

std::int32_t TZelkApp::ChildCount() const
{
    return Quietly(
        [&] {
            if (m_item == m_node->Data())
                return m_node->ChildCount() + m_item->ChildCount();
            return m_item->ChildCount();
        },
        0);
}

bool TZelkApp::Child(std::int32_t index)
{
    return Quietly(
        [&] {
            if (index < 0)
                return false;
            if (index < m_node->ChildCount()) {
                TreeNode& child = *m_node->ChildAt(index);
                SetItem(*child.Data(), child);
                return true;
            }
            TKPXObject* detail = m_node->Data()->ChildAt(index - m_node->ChildCount());
            if (detail)
                SetItem(*detail, *m_node);
            return detail != nullptr;
        },
        false);
}

std::int32_t TZelkApp::SelectCount() const
{
    return Quietly(
        [&] {
            switch (m_host.GetActivePane()) {
            case ActivePane::Folders:
                return 1;
            case ActivePane::MainItems:
                return static_cast<int>(m_host.SelectedRows().size());
            case ActivePane::Other:
                break;
            }
            return 0;
        },
        0);
}

bool TZelkApp::UserSelected(std::int32_t n)
{
    return Quietly(
        [&] {
            const std::vector<TKPXObject*> rows =
                m_host.GetActivePane() == ActivePane::Folders ? std::vector<TKPXObject*>() : m_host.SelectedRows();
            if (!rows.empty()) {
                if (n < 0 || static_cast<std::size_t>(n) >= rows.size())
                    return false;
                TKPXObject* item = rows[static_cast<std::size_t>(n)];
                // An item outside the tree could not be followed safely; the cursor stays.
                TreeNode* holder = item ? item->GetTreeNode() : nullptr;
                if (!holder)
                    return false;
                m_node = holder;
                SetItem(*item, *holder);
                return true;
            }
            TreeNode* selected = m_host.SelectedNode();
            if (selected)
                MoveTo(*selected);
            return selected != nullptr;
        },
        false);
}

bool TZelkApp::NextItemWithTitle(std::string_view title)
{
    return Quietly([&] { return m_host.FindTitle(title) && UserSelected(0); }, false);
}

bool TZelkApp::ItemWithId(std::int32_t id)
{
    return Quietly(
        [&] {
            const int count = m_tree.NodeCount();
            for (int i = 0; i < count; ++i) {
                TreeNode& node = *m_tree.NodeAt(i);
                TKPXObject& item = *node.Data();
                TKPXObject* found = item.GetID() == id ? &item : nullptr;
                for (int d = 0; !found && d < item.ChildCount(); ++d)
                    if (item.ChildAt(d)->GetID() == id)
                        found = item.ChildAt(d);
                if (found) {
                    m_node = &node;
                    SetItem(*found, node);
                    return true;
                }
            }
            return false;
        },
        false);
}

void TZelkApp::MoveTo(TreeNode& node)
{
    m_node = &node;
    SetItem(*node.Data(), node);
}

void TZelkApp::SetItem(TKPXObject& item, TreeNode& holder)
{
    m_item = &item;
    m_holder = &holder;
}

bool TZelkApp::IsLive(const TreeNode* node) const
{
    // Compares addresses only: a node that went away is never touched.
    const int count = m_tree.NodeCount();
    for (int i = 0; i < count; ++i)
        if (m_tree.NodeAt(i) == node)
            return true;
    return false;
}

bool TZelkApp::HoldsItem(const TreeNode& holder) const
{
    const TKPXObject& owner = *holder.Data();
    if (&owner == m_item)
        return true;
    for (int i = 0; i < owner.ChildCount(); ++i)
        if (owner.ChildAt(i) == m_item)
            return true;
    return false;
}

void TZelkApp::NodeAboutToBeRemoved(TreeNode& node)
{
    if (&node == m_node || node.IsAncestorOf(*m_node))
        MoveTo(m_tree.Root());
    else if (&node == m_holder || node.IsAncestorOf(*m_holder))
        MoveTo(*m_node);
}

void TZelkApp::DetailsChanged(TreeNode& owner)
{
    if (&owner == m_holder && !HoldsItem(owner))
        MoveTo(*m_node);
}

void TZelkApp::TreeResetEnded()
{
    if (!IsLive(m_node))
        MoveTo(m_tree.Root());
    else if (!IsLive(m_holder) || !HoldsItem(*m_holder))
        MoveTo(*m_node);
}

} // namespace quillary
