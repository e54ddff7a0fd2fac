// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/address_dlg.h"

#include "model/item_kind.h"
#include "platform/icon_catalog.h"

#include <QLineEdit>

namespace quillary {

namespace {

constexpr int AddressLength = 120;
constexpr int AddressRowsShown = 4;

} // namespace

TEditAddressDlg::TEditAddressDlg(const DialogContext& context, TKPXObject& item)
    : TDetailDlg(context, item, QStringLiteral("Address"), ItemPicture(KindAddress))
{
    setObjectName(QStringLiteral("TEditAddressDlg"));
    m_title = AddLineEdit("AddrTitle", QStringLiteral("Title"), 40);

    m_addr = new LimitedMemo(AddressLength, Bevel());
    m_addr->setObjectName(QStringLiteral("Addr"));
    m_addr->setMinimumWidth(LineEditWidth(*m_addr, 40));
    const int frame = 2 * (m_addr->frameWidth() + static_cast<int>(m_addr->document()->documentMargin()));
    m_addr->setFixedHeight(AddressRowsShown * m_addr->fontMetrics().lineSpacing() + frame);
    AddRow(QStringLiteral("Address"), m_addr);

    m_city = AddLineEdit("City", QStringLiteral("City"), 25);
    m_state = AddLineEdit("State", QStringLiteral("State/Province"), 20);
    m_postCode = AddLineEdit("PostCode", QStringLiteral("Postal/Zip"), 10);
    m_country = AddLineEdit("Country", QStringLiteral("Country"), 15);
    m_comment = AddLineEdit("AddrComment", QStringLiteral("Comment"), 255);
    ChainTabOrder();
}

void TEditAddressDlg::Fill(const AddressForm& form)
{
    ShowText(*m_title, form.title);
    m_addr->SetLines(form.lines);
    ShowText(*m_city, form.city);
    ShowText(*m_state, form.state);
    ShowText(*m_postCode, form.postCode);
    ShowText(*m_country, form.country);
    ShowText(*m_comment, form.comment);
}

void TEditAddressDlg::CopyInto(AddressForm& form) const
{
    form.title = TextOf(*m_title);
    form.lines = m_addr->Lines();
    form.city = TextOf(*m_city);
    form.state = TextOf(*m_state);
    form.postCode = TextOf(*m_postCode);
    form.country = TextOf(*m_country);
    form.comment = TextOf(*m_comment);
}

bool EditAddressDialog(const DialogContext& context, TKPXObject& item, AddressForm& form, EditMode)
{
    TEditAddressDlg dialog(context, item);
    return RunDetailDialog(dialog, form);
}

} // namespace quillary
