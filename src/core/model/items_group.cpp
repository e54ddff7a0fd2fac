// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_group.h"

#include "model/item_forms.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

namespace quillary {

TGroupObject::TGroupObject(ItemTree& tree, int kind, std::string_view title, std::string_view target,
                           std::string_view comment, std::int32_t id, std::string_view details)
    : TTagOnlyObject(tree, kind, id)
{
    ReadDetails({title, target, comment}, details);
}

void TGroupObject::EditProperties()
{
    GroupForm form{GetTitle(), GetComment()};
    if (!Services().dialogs->EditGroup(*this, form))
        return;
    Tree().MarkChanged();
    SetTitle(form.title);
    SetComment(form.comment);
}

TFolderObject::TFolderObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                             std::int32_t id, std::string_view details)
    : TGroupObject(tree, KindFolder, title, target, comment, id, details)
{
}

TTeamObject::TTeamObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                         std::int32_t id, std::string_view details)
    : TGroupObject(tree, KindTeam, title, target, comment, id, details)
{
}

} // namespace quillary
