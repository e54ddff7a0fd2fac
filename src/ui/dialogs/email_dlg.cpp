// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/email_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"

#include <QLineEdit>

namespace quillary {

TEMailEditDlg::TEMailEditDlg(const DialogContext& context, TKPXObject& item)
    : TDetailDlg(context, item, QStringLiteral("E-Mail"), ItemPicture(KindEMail))
{
    setObjectName(QStringLiteral("TEMailEditDlg"));
    m_title = AddLineEdit("EMailTitle", QStringLiteral("Title"), 40);
    m_address = AddLineEdit("EMailAddr", QStringLiteral("E-Mail Address"), 80);
    m_comment = AddLineEdit("EMailComment", QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

void TEMailEditDlg::Fill(const EMailForm& form)
{
    ShowText(*m_title, form.title);
    ShowText(*m_address, form.address);
    ShowText(*m_comment, form.comment);
}

void TEMailEditDlg::CopyInto(EMailForm& form) const
{
    form.title = TextOf(*m_title);
    form.address = TextOf(*m_address);
    form.comment = TextOf(*m_comment);
}

bool EditEMailDialog(const DialogContext& context, TKPXObject& item, EMailForm& form, EditMode)
{
    TEMailEditDlg dialog(context, item);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
