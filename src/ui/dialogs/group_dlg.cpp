// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/group_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"

#include <QLineEdit>

namespace quillary {

TGroupEditDlg::TGroupEditDlg(const DialogContext& context, TKPXObject& item, const QString& kindName, int kind)
    : TDetailDlg(context, item, kindName, ItemPicture(kind))
{
    setObjectName(QStringLiteral("T%1EditDlg").arg(kindName));
    m_title = AddLineEdit((kindName + QStringLiteral("Title")).toLatin1().constData(), QStringLiteral("Title"), 40);
    m_comment =
        AddLineEdit((kindName + QStringLiteral("Comment")).toLatin1().constData(), QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

void TGroupEditDlg::Fill(const GroupForm& form)
{
    ShowText(*m_title, form.title);
    ShowText(*m_comment, form.comment);
}

void TGroupEditDlg::CopyInto(GroupForm& form) const
{
    form.title = TextOf(*m_title);
    form.comment = TextOf(*m_comment);
}

TFolderEditDlg::TFolderEditDlg(const DialogContext& context, TKPXObject& item)
    : TGroupEditDlg(context, item, QStringLiteral("Folder"), KindFolder)
{
}

TTeamEditDlg::TTeamEditDlg(const DialogContext& context, TKPXObject& item)
    : TGroupEditDlg(context, item, QStringLiteral("Team"), KindTeam)
{
}

bool EditGroupDialog(const DialogContext& context, TKPXObject& item, GroupForm& form, int kind)
{
    if (kind == KindTeam) {
        TTeamEditDlg dialog(context, item);
        return RunDetailDialog(dialog, form);
    }
    TFolderEditDlg dialog(context, item);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
