// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/tool_dlg.h"

#include "platform/qt_icon_store.h"

#include <QLineEdit>

namespace quillary {

TToolEdit::TToolEdit(const DialogContext& context, TKPXObject& item, const QIcon& toolIcon)
    : TDetailDlg(context, item, QStringLiteral("Custom Tool"), toolIcon)
{
    setObjectName(QStringLiteral("TToolEdit"));
    m_title = AddLineEdit("TitleEdit", QStringLiteral("Title"), 0);
    m_address = AddLineEdit("Address", QStringLiteral("Target Address"), 0);
    m_comment = AddLineEdit("CommentEdit", QStringLiteral("Comment"), 0);
    ChainTabOrder();
}

void TToolEdit::Fill(const ToolForm& form)
{
    ShowText(*m_title, form.title);
    ShowText(*m_address, form.address);
    ShowText(*m_comment, form.comment);
}

void TToolEdit::CopyInto(ToolForm& form) const
{
    form.title = TextOf(*m_title);
    form.address = TextOf(*m_address);
    form.comment = TextOf(*m_comment);
}

bool EditToolDialog(const DialogContext& context, TKPXObject& item, ToolForm& form, EditMode, const QtIconStore& icons)
{
    TToolEdit dialog(context, item, icons.Icon(form.iconIndex));
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
