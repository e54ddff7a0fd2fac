// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"

#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_contact.h"
#include "model/items_document.h"
#include "model/items_group.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "model/items_tool.h"
#include "model/tree_depth.h"

namespace quillary {

namespace {
std::unique_ptr<TKPXObject> MakeItem(ItemTree& tree, int kind, std::string_view title, std::string_view target,
                                     std::string_view comment, std::string_view details, std::int32_t id)
{
    switch (kind) {
    case KindFolder:
        return std::make_unique<TFolderObject>(tree, title, target, comment, id, details);
    case KindOrganization:
        return std::make_unique<TOrgObject>(tree, title, target, comment, id, details);
    case KindTeam:
        return std::make_unique<TTeamObject>(tree, title, target, comment, id, details);
    case KindPerson:
        return std::make_unique<TPersonObject>(tree, title, target, comment, id, details);
    case KindWebsite:
        return std::make_unique<TWebObject>(tree, title, target, comment, id, details);
    case KindAddress:
        return std::make_unique<TAddressObject>(tree, title, target, comment, id, details);
    case KindPhone:
        return std::make_unique<TPhoneObject>(tree, title, target, comment, id, details);
    case KindEMail:
        return std::make_unique<TEMailObject>(tree, title, target, comment, id, details);
    case KindFax:
        return std::make_unique<TFaxObject>(tree, title, target, comment, id, details);
    case KindReminder:
        return std::make_unique<TReminderObject>(tree, title, target, comment, id, details);
    case KindDocument:
        return std::make_unique<TDocObject>(tree, title, target, comment, id, details);
    case KindTool:
        return std::make_unique<TToolObject>(tree, title, target, comment, id, details);
    default:
        return std::make_unique<TPlainObject>(tree, kind, title, target, comment, id, details);
    }
}
} // namespace

TKPXObject* CreateItem(int kind, std::string_view title, std::string_view target, std::string_view comment,
                       TreeNode& parent, std::string_view details, std::int32_t id)
{
    ItemTree& tree = parent.Tree();
    if (id == 0)
        id = tree.Ids().Draw();
    std::unique_ptr<TKPXObject> item = MakeItem(tree, kind, title, target, comment, details, id);
    TKPXObject* handle = item.get();
    if (kind == KindRoot)
        return nullptr; // belongs nowhere: destroyed on leaving
    if (IsTreeKind(kind)) {
        const int image = handle->GetImageIndex();
        const int selected = kind == KindFolder ? handle->GetSelectedIndex() : image;
        TreeNode& node = tree.AddChild(HolderWithinDepth(parent), std::move(item), handle->GetTitle(), image, selected);
        handle->SetTreeNode(&node);
        return handle;
    }
    parent.Data()->AddChild(std::move(item));
    handle->SetTreeNode(&parent);
    return handle;
}

void DestroyItem(TKPXObject& item)
{
    if (IsTreeKind(item.GetKind()))
        item.Tree().DeleteNode(*item.GetTreeNode());
    else
        item.GetTreeNode()->Data()->DeleteChild(&item);
}

} // namespace quillary
