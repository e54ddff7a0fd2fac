// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

namespace quillary {

// The e-mail address dialog.
class TEMailEditDlg final : public TDetailDlg
{
    Q_OBJECT

public:
    TEMailEditDlg(const DialogContext& context, TKPXObject& item);

    void Fill(const EMailForm& form);
    void CopyInto(EMailForm& form) const;

private:
    QLineEdit* m_title;
    QLineEdit* m_address;
    QLineEdit* m_comment;
};

bool EditEMailDialog(const DialogContext& context, TKPXObject& item, EMailForm& form, EditMode mode);

} // namespace quillary
