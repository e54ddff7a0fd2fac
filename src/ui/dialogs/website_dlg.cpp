// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/website_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"
#include "ui/text_codec.h"
#include "ui/widgets/editable_combo.h"

#include <QComboBox>
#include <QLineEdit>

namespace quillary {

namespace {

const QString NewSitePrefix = QStringLiteral("http://");

} // namespace

TWebSiteDlg::TWebSiteDlg(const DialogContext& context, TKPXObject& item)
    : TDetailDlg(context, item, QStringLiteral("Website"), ItemPicture(KindWebsite))
{
    setObjectName(QStringLiteral("TWebSiteDlg"));
    m_title = AddLineEdit("WebTitle", QStringLiteral("Title"), 40);

    m_web = new QComboBox(Bevel());
    m_web->setObjectName(QStringLiteral("Web"));
    MakeEditable(*m_web);
    // Typed addresses must not pile up in the prefix list.
    m_web->setInsertPolicy(QComboBox::NoInsert);
    m_web->addItems(Prefixes());
    m_web->setValidator(new SingleLineValidator(m_web));
    m_web->setEditText(NewSitePrefix);
    m_web->setMinimumWidth(LineEditWidth(*m_web, 40));
    AddRow(QStringLiteral("Site Address"), m_web);

    m_comment = AddLineEdit("WebComment", QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

QStringList TWebSiteDlg::Prefixes()
{
    return {QStringLiteral("http://"), QStringLiteral("https://"), QStringLiteral("ftp://"),
            QStringLiteral("news:"),   QStringLiteral("mailto:"),  QStringLiteral("gopher://"),
            QStringLiteral("wais:"),   QStringLiteral("telnet:")};
}

void TWebSiteDlg::Fill(const WebsiteForm& form)
{
    ShowText(*m_title, form.title);
    m_web->setEditText(FromField(form.url));
    ShowText(*m_comment, form.comment);
}

void TWebSiteDlg::CopyInto(WebsiteForm& form) const
{
    form.title = TextOf(*m_title);
    form.url = ToField(m_web->currentText());
    form.comment = TextOf(*m_comment);
}

bool EditWebsiteDialog(const DialogContext& context, TKPXObject& item, WebsiteForm& form, EditMode mode)
{
    if (mode == EditMode::New && form.url.empty())
        form.url = ToField(NewSitePrefix);
    TWebSiteDlg dialog(context, item);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
