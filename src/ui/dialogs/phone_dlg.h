// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

// The phone number dialog.
class TPhoneEditDlg final : public TNumberDlg
{
    Q_OBJECT

public:
    TPhoneEditDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const PhoneForm& form);
    // The number goes back twice: as displayed (with the mask's literals) and as plain digits.
    void CopyInto(PhoneForm& form) const;

private:
    QLineEdit* m_title;
    QLineEdit* m_extension;
    QLineEdit* m_comment;
};

// Runs the phone dialog on the form; a new phone gets the format list set to "USA".
bool EditPhoneDialog(const DialogContext& context, TKPXObject& item, PhoneForm& form, EditMode mode);

} // namespace quillary
