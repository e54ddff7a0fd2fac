// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/actions/qt_action_prompts.h"

#include "ui/plain_text.h"
#include "ui/questions.h"

#include <QInputDialog>
#include <QLabel>

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
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Resolve Name"));
    dialog.setLabelText(QStringLiteral("No e-mail address is known for \"%1\".\nE-mail address:").arg(name));
    // The name is the item's text.
    for (QLabel* label : dialog.findChildren<QLabel*>())
        AsPlainText(label);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace quillary
