// SPDX-License-Identifier: GPL-3.0-or-later
// What the user hears about the settings file: that it cannot be read, and that a write failed.
#include "ui/shell/main_form.h"

#include "common/file_error.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/text_codec.h"

#include <QtDebug>

namespace quillary {

namespace {
QString NotSavedText(const FileError& error)
{
    return QStringLiteral("The settings could not be saved: %1.").arg(FromField(error.what()));
}
} // namespace

void TMainForm::TellUnreadableSettings()
{
    if (m_settings.State() != TProfileFile::LoadState::Unreadable)
        return;
    Questions::Tell(this, QMessageBox::Warning, QStringLiteral("Warning"),
                    QStringLiteral("The settings file %1 cannot be read (%2).\n"
                                   "Quillary runs with its default settings and leaves that file as it is: "
                                   "changes to the settings are not saved.")
                        .arg(FromField(m_settings.Path().string()), FromField(m_settings.ReadProblem())));
}

bool TMainForm::FlushSettings()
{
    try {
        m_settings.Flush();
        return true;
    } catch (const FileError& error) {
        Questions::Tell(this, QMessageBox::Warning, QStringLiteral("Warning"), NotSavedText(error));
        return false;
    }
}

void TMainForm::FlushSettingsAtExit()
{
    try {
        m_settings.Flush();
    } catch (const FileError& error) {
        TellAtExit(NotSavedText(error));
    }
}

void TMainForm::TellAtExit(const QString& text)
{
    if (m_unattendedEnd)
        qWarning("%s", qPrintable(text));
    else
        Questions::Tell(this, QMessageBox::Warning, QStringLiteral("Warning"), text);
}

} // namespace quillary
