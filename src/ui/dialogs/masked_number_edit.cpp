// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/masked_number_edit.h"

#include "ui/questions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QMessageBox>
#include <QValidator>

#include <algorithm>

namespace quillary {

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

bool IsControl(QChar c)
{
    return c.unicode() < 32 || c.unicode() == 127;
}

// Keeps the text on one line: the fields are stored in a line-based file that cannot hold line breaks (nor the
// end-of-file control character). Of a pasted text with line breaks only its first line stays; the text that
// followed the cursor is kept.
class SingleLineValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        KeepFirstLine(input, pos);
        DropControls(input, pos);
        return Acceptable;
    }

private:
    static void KeepFirstLine(QString& input, int& pos)
    {
        const auto first = std::find_if(input.cbegin(), input.cend(), IsLineBreak);
        if (first == input.cend())
            return;
        const auto lineEnd = static_cast<int>(first - input.cbegin());
        const auto lastBreak =
            static_cast<int>(std::find_if(input.crbegin(), input.crend(), IsLineBreak).base() - input.cbegin()) - 1;
        const QString tail = pos > lastBreak ? input.mid(pos) : QString();
        input = input.left(lineEnd) + tail;
        pos = lineEnd;
    }

    static void DropControls(QString& input, int& pos)
    {
        QString kept;
        int newPos = pos;
        for (int i = 0; i < input.size(); ++i) {
            if (!IsControl(input[i]))
                kept += input[i];
            else if (i < pos)
                --newPos;
        }
        input = kept;
        pos = newPos;
    }
};

std::function<void(QWidget*)>& IncompleteNotice()
{
    static std::function<void(QWidget*)> notice;
    return notice;
}

void ShowIncompleteNotice(QWidget* field)
{
    if (IncompleteNotice())
        IncompleteNotice()(field);
    else
        Questions::Tell(field->window(), QMessageBox::Warning, QStringLiteral("Warning"),
                        MaskedNumberEdit::IncompleteMessage());
}

// The focus reasons by which the user leaves the field on purpose; switching windows or opening a menu does not count.
bool LeftByUser(Qt::FocusReason reason)
{
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::MouseFocusReason ||
           reason == Qt::ShortcutFocusReason;
}

// Cancel and Help must stay reachable while a number is half typed.
bool IsEscapeButton(QWidget* widget)
{
    auto* button = qobject_cast<QAbstractButton*>(widget);
    auto* box = button ? qobject_cast<QDialogButtonBox*>(button->parentWidget()) : nullptr;
    if (!box)
        return false;
    const QDialogButtonBox::ButtonRole role = box->buttonRole(button);
    return role == QDialogButtonBox::RejectRole || role == QDialogButtonBox::HelpRole;
}

char ShownChar(QChar c, char blank)
{
    if (c.isDigit())
        return static_cast<char>('0' + c.digitValue());
    if (c.unicode() < 128)
        return c.toLatin1();
    return blank;
}

} // namespace

MaskedNumberEdit::MaskedNumberEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new SingleLineValidator(this));
}

void MaskedNumberEdit::SetEditMask(const QString& notation)
{
    if (notation == m_notation)
        return;
    const QString entered = m_mask.IsFree() || !PlainValue().isEmpty() ? DisplayedText() : QString();
    m_notation = notation;
    m_mask = ParseEditMask(notation.toStdString());
    setInputMask(QString::fromStdString(ToQtInputMask(m_mask)));
    setText(entered);
    MoveToNextEntry();
}

QString MaskedNumberEdit::DisplayedText() const
{
    if (m_mask.IsFree())
        return text();
    return QString::fromStdString(quillary::DisplayedText(ShownText(), m_mask));
}

QString MaskedNumberEdit::PlainValue() const
{
    if (m_mask.IsFree())
        return text();
    return QString::fromStdString(quillary::PlainValue(ShownText(), m_mask));
}

bool MaskedNumberEdit::IsComplete() const
{
    return quillary::IsComplete(ShownText(), m_mask);
}

bool MaskedNumberEdit::CheckComplete()
{
    if (!IsHalfFilled())
        return true;
    ShowIncompleteNotice(this);
    setFocus(Qt::OtherFocusReason);
    return false;
}

void MaskedNumberEdit::SetIncompleteNotice(std::function<void(QWidget*)> notice)
{
    IncompleteNotice() = std::move(notice);
}

QString MaskedNumberEdit::IncompleteMessage()
{
    return QStringLiteral("The phone number is incomplete: fill in every required digit, or clear the field.");
}

void MaskedNumberEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (m_refusalPending || !LeftByUser(event->reason()) || !IsHalfFilled() ||
        IsEscapeButton(QApplication::focusWidget()))
        return;
    // Refused after the focus change has run its course: a modal box inside it would leave the focus astray.
    m_refusalPending = true;
    QMetaObject::invokeMethod(this, &MaskedNumberEdit::RefuseLeaving, Qt::QueuedConnection);
}

void MaskedNumberEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    // A click right of the shown text puts Qt's cursor behind the last mask position, where nothing can be typed.
    if (!m_mask.IsFree() && !hasSelectedText() && cursorPosition() >= static_cast<int>(m_mask.positions.size()))
        MoveToNextEntry();
}

// One character per mask position, digits made ASCII, as the core mask functions read it.
std::string MaskedNumberEdit::ShownText() const
{
    const QString shown = displayText();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(shown.size()));
    for (QChar c : shown)
        bytes += ShownChar(c, m_mask.blank);
    return bytes;
}

bool MaskedNumberEdit::IsHalfFilled() const
{
    return !m_mask.IsFree() && !IsComplete() && !PlainValue().isEmpty();
}

void MaskedNumberEdit::RefuseLeaving()
{
    m_refusalPending = false;
    if (hasFocus() || !isVisible() || !IsHalfFilled())
        return;
    ShowIncompleteNotice(this);
    setFocus(Qt::OtherFocusReason);
}

void MaskedNumberEdit::MoveToNextEntry()
{
    if (!m_mask.IsFree())
        setCursorPosition(static_cast<int>(NextEntryPosition(ShownText(), m_mask)));
}

} // namespace quillary
