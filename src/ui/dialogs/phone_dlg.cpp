// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/phone_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/text_codec.h"

#include <QLineEdit>

namespace quillary {

TPhoneEditDlg::TPhoneEditDlg(const DialogContext& context, TKPXObject& item)
    : TNumberDlg(context, item, QStringLiteral("Phone"), ItemPicture(KindPhone))
{
    setObjectName(QStringLiteral("TPhoneEditDlg"));
    m_title = AddLineEdit("PhoneTitle", QStringLiteral("Title"), 40);
    AddNumberRows("PhoneNum", QStringLiteral("Phone"), "PhoneFmt", "Label16");
    m_extension = AddLineEdit("Extension", QStringLiteral("Extension"), 6);
    m_comment = AddLineEdit("PhoneComment", QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

void TPhoneEditDlg::Fill(const PhoneForm& form)
{
    ShowText(*m_title, form.title);
    Number()->setText(FromField(form.number));
    ShowText(*m_extension, form.extension);
    ShowText(*m_comment, form.comment);
}

void TPhoneEditDlg::CopyInto(PhoneForm& form) const
{
    form.title = TextOf(*m_title);
    form.number = ToField(Number()->DisplayedText());
    form.plainNumber = ToField(Number()->PlainValue());
    form.extension = TextOf(*m_extension);
    form.comment = TextOf(*m_comment);
}

bool EditPhoneDialog(const DialogContext& context, TKPXObject& item, PhoneForm& form, EditMode mode)
{
    TPhoneEditDlg dialog(context, item);
    if (mode == EditMode::New)
        dialog.ShowFormats();
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
