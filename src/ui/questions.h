// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QMessageBox>

#include <functional>

namespace quillary {

// Every question and message of the main window goes through here, so tests can answer them.
// Texts are shown as plain text: they often hold titles and file names.
class Questions
{
public:
    using Hook = std::function<QMessageBox::StandardButton(const QString& caption, const QString& text)>;

    using FileHook = std::function<QString(const QString& caption, const QString& folder)>;
    // Buttons whose standard texts do not fit the question get their own in texts.
    using ButtonTexts = QMap<QMessageBox::StandardButton, QString>;

    static QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                                           const QString& text, QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton, const ButtonTexts& texts = {});
    static void Tell(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text);
    // The name of a file to write, asked in the file dialog; empty when the user cancels.
    static QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder);
    // Answers the questions instead of the user while set (tests).
    static void SetHook(Hook hook);
    static void SetFileHook(FileHook hook);
};

} // namespace quillary
