// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

#include <functional>

namespace quillary {

// Every question and message of the main window goes through here, so tests can answer them.
// Texts are shown as plain text: they often hold titles and file names.
class Questions
{
public:
    using Hook = std::function<QMessageBox::StandardButton(const QString& caption, const QString& text)>;

    static QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton);
    static void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
    // Answers the questions instead of the user while set (tests).
    static void SetHook(Hook hook);
};

} // namespace quillary
