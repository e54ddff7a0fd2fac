// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/items_document.h"

#include "model/item_forms.h"
#include "model/item_kind.h"
#include "model/item_tree.h"

namespace quillary {

TDocObject::TDocObject(ItemTree& tree, std::string_view title, std::string_view target, std::string_view comment,
                       std::int32_t id, std::string_view details)
    : TTagOnlyObject(tree, KindDocument, id), m_iconIndex(ImageNoIcon)
{
    ReadDetails({title, target, comment}, details);
    if (!GetTarget().empty()) {
        const int appended = Services().icons->AppendFileIcon(GetTarget());
        if (appended >= 0)
            m_iconIndex = appended;
    }
}

bool TDocObject::EditWith(bool isNew)
{
    DocumentForm form;
    if (isNew)
        form.title = "New Document";
    else
        form = {GetTitle(), GetTarget(), GetComment()};
    const EditMode mode = isNew ? EditMode::New : EditMode::Properties;
    if (!Services().dialogs->EditDocument(*this, form, mode) || form.fileName.empty() || form.title.empty())
        return false;
    ApplyCommon(form.title, form.fileName, form.comment);
    RefreshIcon();
    return true;
}

bool TDocObject::EditNew(TreeNode&)
{
    return EditWith(true);
}

void TDocObject::EditProperties()
{
    EditWith(false);
}

void TDocObject::RefreshIcon()
{
    if (GetTarget().empty())
        return;
    IconStore& icons = *Services().icons;
    if (m_iconIndex == ImageNoIcon) {
        const int appended = icons.AppendFileIcon(GetTarget());
        if (appended >= 0)
            m_iconIndex = appended;
    } else {
        icons.ReplaceFileIcon(m_iconIndex, GetTarget());
    }
}

void TDocObject::Launch()
{
    Services().shell->OpenDocument(GetTarget());
}

} // namespace quillary
