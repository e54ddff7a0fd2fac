// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/actions/qt_action_prompts.h"

#include "ui/questions.h"

#include <QInputDialog>

namespace quillary {

bool QtActionPrompts::Confirm(const std::string& text)
{
    return Questions::Ask(m_parent, QMessageBox::Question, QStringLiteral("Confirm"), QString::fromStdString(text),
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Yes) == QMessageBox::Yes;
}

void QtActionPrompts::ShowError(const std::string& text)
{
    Questions::Tell(m_parent, QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(text));
}

std::optional<QString> AskMailAddress(QWidget* parent, const QString& name)
{
    bool ok = false;
    const QString address =
        QInputDialog::getText(parent, QStringLiteral("Resolve Name"),
                              QStringLiteral("No e-mail address is known for \"%1\".\nE-mail address:").arg(name),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return address;
}

} // namespace quillary
