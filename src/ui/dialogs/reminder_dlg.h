// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/item_forms.h"
#include "ui/dialogs/detail_dialogs.h"

#include <functional>

class QLabel;
class QLineEdit;

namespace quillary {

class TKPXObject;
class TRecurringDate;

// The reminder dialog. It works on the reminder's own recurring date: "Set Date..." and
// "Advance" change it at once, and the change stands even when the dialog is cancelled.
class TRemdDlg : public TDetailDlg
{
    Q_OBJECT

public:
    // The item and its date must outlive the dialog.
    TRemdDlg(const DialogContext& context, TKPXObject& item, TRecurringDate& date);

    void Fill(const ReminderForm& form);
    void CopyInto(ReminderForm& form) const;

    QLineEdit& TitleEdit() const { return *m_title; }
    QLineEdit& RemdComment() const { return *m_comment; }
    QLabel& TargetDateLabel() const { return *m_targetDate; }

    void SetDateBtnClick();
    void AdvanceBtnClick();

    // Runs the date dialog for "Set Date..."; tests replace it.
    static std::function<bool(TRecurringDate&, QWidget*)> RunDateDialog;

private:
    QWidget* DateButtons();
    void ShowDate();

    TRecurringDate& m_date;
    QLineEdit* m_title = nullptr;
    QLabel* m_targetDate = nullptr;
    QLineEdit* m_comment = nullptr;
};

// Fills the dialog from the form, shows it modally and on OK writes title and comment back into
// the form. Returns whether it closed with OK.
bool EditReminderDialog(const DialogContext& context, TKPXObject& item, ReminderForm& form, TRecurringDate& date,
                        EditMode mode);

} // namespace quillary
