// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

// The postal address dialog.
class TEditAddressDlg final : public TDetailDlg
{
    Q_OBJECT

public:
    TEditAddressDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const AddressForm& form);
    void CopyInto(AddressForm& form) const;

private:
    QLineEdit* m_title;
    LimitedMemo* m_addr;
    QLineEdit* m_city;
    QLineEdit* m_state;
    QLineEdit* m_postCode;
    QLineEdit* m_country;
    QLineEdit* m_comment;
};

// Runs the address dialog on the form; true when it closed with OK (the form then holds the
// dialog's values, the address box split into its lines).
bool EditAddressDialog(const DialogContext& context, TKPXObject& item, AddressForm& form, EditMode mode);

} // namespace quillary
