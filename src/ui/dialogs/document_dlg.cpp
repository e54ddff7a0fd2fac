// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/document_dlg.h"

#include "common/path_text.h"
#include "model/item_kind.h"
#include "platform/icon_catalog.h"
#include "ui/text_codec.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>

namespace quillary {

namespace {

QString OpenExistingFile(QWidget* parent, const QString& folder)
{
    // The dialog's own mode takes existing files only, and it leaves the working directory alone.
    return QFileDialog::getOpenFileName(parent, QString(), folder);
}

} // namespace

std::function<QString(QWidget*, const QString&)> TDocEditDlg::PickFile = OpenExistingFile;

TDocEditDlg::TDocEditDlg(const DialogContext& context, TKPXObject& item)
    : TDetailDlg(context, item, QStringLiteral("Document"), ItemPicture(ImageNoIcon))
{
    setObjectName(QStringLiteral("TDocEditDlg"));
    m_title = AddLineEdit("TitleEdit", QStringLiteral("Title"), 0);

    m_fileName = new QLineEdit(Bevel());
    m_fileName->setObjectName(QStringLiteral("FilenameEdit"));
    m_fileName->setValidator(new SingleLineValidator(m_fileName));
    m_fileName->setMinimumWidth(LineEditWidth(*m_fileName, 30));
    auto* browse = new QPushButton(QStringLiteral("Browse..."), Bevel());
    browse->setObjectName(QStringLiteral("BrowseBtn"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TDocEditDlg::Browse);
    AddRow(QStringLiteral("Filename"), m_fileName, nullptr, browse);

    m_comment = AddLineEdit("CommentEdit", QStringLiteral("Comment"), 0);
    ChainTabOrder();
}

void TDocEditDlg::Fill(const DocumentForm& form)
{
    ShowText(*m_title, form.title);
    ShowText(*m_fileName, form.fileName);
    ShowText(*m_comment, form.comment);
}

void TDocEditDlg::CopyInto(DocumentForm& form) const
{
    form.title = TextOf(*m_title);
    form.fileName = TextOf(*m_fileName);
    form.comment = TextOf(*m_comment);
}

void TDocEditDlg::Browse()
{
    const QString folder = FromField(ExtractFilePath(TextOf(*m_fileName)));
    const QString picked = PickFile ? PickFile(this, folder) : QString();
    if (picked.isEmpty())
        return;
    m_title->setText(FromField(ExtractFileName(ToField(picked))));
    m_fileName->setText(picked);
}

bool EditDocumentDialog(const DialogContext& context, TKPXObject& item, DocumentForm& form, EditMode)
{
    TDocEditDlg dialog(context, item);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
