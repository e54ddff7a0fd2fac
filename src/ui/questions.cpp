// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/questions.h"

#include "ui/plain_text.h"

namespace quillary {

namespace {
Questions::Hook& CurrentHook()
{
    static Questions::Hook hook;
    return hook;
}
} // namespace

QMessageBox::StandardButton Questions::Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton)
{
    if (CurrentHook())
        return CurrentHook()(caption, text);
    QMessageBox box(icon, caption, text, buttons, parent);
    AsPlainText(&box);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

void Questions::Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text)
{
    Ask(parent, icon, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

void Questions::SetHook(Hook hook)
{
    CurrentHook() = std::move(hook);
}

} // namespace quillary
