// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/new_item.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"

namespace quillary {

std::string_view NewItemTitle(int kind)
{
    switch (kind) {
    case KindFolder:
        return "New Folder";
    case KindOrganization:
        return "New Organization";
    case KindTeam:
        return "New Team";
    case KindPerson:
        return "New Person";
    case KindWebsite:
        return "New Website";
    case KindAddress:
        return "New Address";
    case KindPhone:
        return "New Phone";
    case KindEMail:
        return "New E-Mail";
    case KindFax:
        return "New Fax";
    case KindReminder:
        return "New Reminder";
    case KindDocument:
        return "New Document";
    default:
        return {};
    }
}

TKPXObject* NewItem(TreeNode& holder, int kind)
{
    TKPXObject* item = CreateItem(kind, NewItemTitle(kind), "", "", holder, "", 0);
    if (!item)
        return nullptr;
    TreeNode* node = IsTreeKind(kind) ? item->GetTreeNode() : &holder;
    if (item->EditNew(*node)) {
        if (kind == KindWebsite)
            holder.Tree().SetNodeText(*node, item->GetTitle());
        return item;
    }
    if (IsTreeKind(kind))
        holder.Tree().DeleteNode(*node);
    else
        holder.Data()->DeleteChild(item);
    return nullptr;
}

} // namespace quillary
