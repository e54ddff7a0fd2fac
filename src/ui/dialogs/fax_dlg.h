// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

// The fax number dialog.
class TFaxEditDlg final : public TNumberDlg
{
    Q_OBJECT

public:
    TFaxEditDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const FaxForm& form);
    // The number goes back twice: as displayed (with the mask's literals) and as plain digits.
    void CopyInto(FaxForm& form) const;

private:
    QLineEdit* m_title;
    QLineEdit* m_comment;
};

// Runs the fax dialog on the form; a new fax gets the format list set to "USA".
bool EditFaxDialog(const DialogContext& context, TKPXObject& item, FaxForm& form, EditMode mode);

} // namespace quillary
