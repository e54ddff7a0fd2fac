// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs/phone_formats.h"

#include <QLineEdit>
#include <QString>

#include <functional>

class QMouseEvent;

namespace quillary {

// A single-line edit for phone and fax numbers under an edit mask (see dialogs/phone_formats.h for the notation), or
// free text when the mask is "". The field offers the literals ready-made and takes digits only in digit positions.
//
// Leaving the field (Tab, Backtab, mouse, shortcut) while some but not all required digits are filled is refused: the
// incomplete notice is shown and the focus comes back. A field showing only its literals counts as empty and may be
// left. Moving to a button of a QDialogButtonBox with the reject or help role is never refused, so Cancel and Help
// stay usable. Pasted or set text keeps its first line only. After a mask change, or a click past the end of the
// entered digits, the cursor stands where typing goes on.
class MaskedNumberEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit MaskedNumberEdit(QWidget* parent = nullptr);

    // Sets the mask from its notation; "" = free text. The text entered so far (nothing when no digit was entered) is
    // fitted into the new mask the way QLineEdit::setText fits it: matching literals are taken as literals, digits
    // fill the digit positions, other characters are dropped.
    void SetEditMask(const QString& notation);
    QString EditMaskNotation() const { return m_notation; }

    // The stored form: digits with literals, e.g. "(555)123-4567"; free text: the text.
    QString DisplayedText() const;
    // The digits without literals, e.g. "5551234567"; empty when no digit was entered; free text: the text.
    QString PlainValue() const;
    // Every required digit filled; free text: true.
    bool IsComplete() const;
    // Some digits entered but not every required one: what leaving and OK refuse.
    bool IsHalfFilled() const;

    // For OK handlers: true when the value may be taken (complete, empty, or free text); otherwise shows the
    // incomplete notice, puts the focus back into the field and returns false.
    bool CheckComplete();

    // Replaces how the incomplete notice is shown (tests, other front ends); an empty function restores the default
    // message box, which goes through Questions. The argument is the refusing field.
    static void SetIncompleteNotice(std::function<void(QWidget*)> notice);

    static QString IncompleteMessage();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::string ShownText() const;
    void RefuseLeaving();
    void MoveToNextEntry();

    QString m_notation;
    EditMask m_mask;
    bool m_refusalPending = false;
};

} // namespace quillary
