// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/questions.h"

#include "ui/plain_text.h"

#include <QAbstractButton>
#include <QFileDialog>

namespace quillary {

namespace {
Questions::Hook& CurrentHook()
{
    static Questions::Hook hook;
    return hook;
}

Questions::FileHook& CurrentFileHook()
{
    static Questions::FileHook hook;
    return hook;
}
} // namespace

QMessageBox::StandardButton Questions::Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, const ButtonTexts& texts)
{
    if (CurrentHook())
        return CurrentHook()(caption, text);
    QMessageBox box(icon, caption, text, buttons, parent);
    AsPlainText(&box);
    box.setDefaultButton(defaultButton);
    for (auto it = texts.begin(); it != texts.end(); ++it)
        if (QAbstractButton* button = box.button(it.key()))
            button->setText(it.value());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString Questions::SaveFileName(QWidget* parent, const QString& caption, const QString& folder)
{
    if (CurrentFileHook())
        return CurrentFileHook()(caption, folder);
    return QFileDialog::getSaveFileName(parent, caption, folder);
}

void Questions::SetFileHook(FileHook hook)
{
    CurrentFileHook() = std::move(hook);
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
