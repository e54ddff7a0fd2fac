// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/fax_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"
#include "ui/dialogs/masked_number_edit.h"
#include "ui/text_codec.h"

#include <QLineEdit>

namespace quillary {

TFaxEditDlg::TFaxEditDlg(const DialogContext& context, TKPXObject& item)
    : TNumberDlg(context, item, QStringLiteral("Fax"), ItemPicture(KindFax))
{
    setObjectName(QStringLiteral("TFaxEditDlg"));
    m_title = AddLineEdit("FaxTitle", QStringLiteral("Title"), 40);
    AddNumberRows("FaxNum", QStringLiteral("FAX Number"), "FaxFmt", "Label19");
    m_comment = AddLineEdit("FaxComment", QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

void TFaxEditDlg::Fill(const FaxForm& form)
{
    ShowText(*m_title, form.title);
    Number()->setText(FromField(form.number));
    ShowText(*m_comment, form.comment);
}

void TFaxEditDlg::CopyInto(FaxForm& form) const
{
    form.title = TextOf(*m_title);
    form.number = ToField(Number()->DisplayedText());
    form.plainNumber = ToField(Number()->PlainValue());
    form.comment = TextOf(*m_comment);
}

bool EditFaxDialog(const DialogContext& context, TKPXObject& item, FaxForm& form, EditMode mode)
{
    TFaxEditDlg dialog(context, item);
    if (mode == EditMode::New)
        dialog.ShowFormats();
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
