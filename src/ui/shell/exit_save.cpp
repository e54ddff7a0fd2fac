// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/exit_save.h"

#include "common/file_error.h"
#include "model/item_tree.h"
#include "platform/signal_bridge.h"
#include "shell/data_file_session.h"
#include "ui/questions.h"

#include <QFileInfo>
#include <QtDebug>

namespace quillary {

namespace {
QString FileName(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

QString ErrorText(const FileError& error)
{
    return QString::fromLocal8Bit(error.what());
}
} // namespace

TExitSave::TExitSave(QWidget* parent, ItemTree& tree, DataFileSession& session, std::function<bool()> unattended)
    : m_parent(parent), m_tree(tree), m_session(session), m_unattended(std::move(unattended))
{
}

bool TExitSave::Run()
{
    for (;;) {
        if (m_unattended())
            return RunUnattended();
        Choice choice = Choice::Cancel;
        if (m_session.IsReadOnly()) {
            if (!m_tree.HasUnsavedChanges())
                return true;
            choice = AskReadOnly();
        } else {
            QString problem;
            if (TrySave(problem))
                return true;
            if (!m_tree.HasUnsavedChanges()) {
                qWarning("%s (the file already held every change)", qPrintable(problem));
                return true;
            }
            choice = AskAfterFailure(problem);
        }
        // A signal while the box was up closed it: nobody is there to answer.
        if (m_unattended())
            return RunUnattended();
        switch (choice) {
        case Choice::Retry:
            break;
        case Choice::SaveAs:
            if (SaveAs())
                return true;
            break;
        case Choice::Discard:
            m_session.DropRecovery();
            return true;
        case Choice::Cancel:
            return false;
        }
    }
}

bool TExitSave::RunUnattended()
{
    // The recovery copy first: should a second signal end the program during the long write of
    // the data file, the changes are already safe.
    QString kept;
    if (m_tree.HasUnsavedChanges()) {
        try {
            kept = FileName(m_session.KeepRecovery(m_tree));
        } catch (const FileError& error) {
            qCritical("Your changes could not be kept anywhere: %s", qPrintable(ErrorText(error)));
        }
    }
    // From here a second signal may end the program at once; without a copy, only after the save.
    if (!kept.isEmpty() || !m_tree.HasUnsavedChanges())
        SignalBridge::ChangesKept();
    if (m_session.IsReadOnly()) {
        if (!kept.isEmpty())
            qWarning("%s was open read-only; your changes are in %s", qPrintable(FileName(m_session.File())),
                     qPrintable(kept));
        return true;
    }
    QString problem;
    if (TrySave(problem))
        return true;
    if (!kept.isEmpty())
        problem += QStringLiteral("; your changes are in ") + kept;
    qWarning("%s", qPrintable(problem));
    return true;
}

bool TExitSave::TrySave(QString& problem)
{
    try {
        m_session.Save(m_tree);
        return true;
    } catch (const FileError& error) {
        problem = QStringLiteral("Your data could not be saved: %1").arg(ErrorText(error));
        return false;
    }
}

TExitSave::Choice TExitSave::AskAfterFailure(const QString& problem)
{
    return Ask(QMessageBox::Critical,
               QStringLiteral("%1.\n\nThe data file %2 was kept as it was. Retry once the cause is fixed (room on "
                              "the disk, write permission), save the data to another file, or go back to Quillary.")
                   .arg(problem, FileName(m_session.File())),
               QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Retry);
}

TExitSave::Choice TExitSave::AskReadOnly()
{
    return Ask(QMessageBox::Warning,
               QStringLiteral("Quillary opened %1 read-only (%2), so your changes cannot be saved there.\n\n"
                              "Save them to another file, discard them, or go back to Quillary.")
                   .arg(FileName(m_session.File()), QString::fromStdString(m_session.ReadOnlyReason())),
               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
}

TExitSave::Choice TExitSave::Ask(QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
                                 QMessageBox::StandardButton byDefault)
{
    switch (Questions::Ask(m_parent, icon, QStringLiteral("Quillary"), text, buttons, byDefault,
                           {{QMessageBox::Save, QStringLiteral("Save &As...")},
                            {QMessageBox::Discard, QStringLiteral("&Discard Changes")}})) {
    case QMessageBox::Retry:
        return Choice::Retry;
    case QMessageBox::Save:
        return Choice::SaveAs;
    case QMessageBox::Discard:
        return Choice::Discard;
    default:
        return Choice::Cancel;
    }
}

bool TExitSave::SaveAs()
{
    const QString folder = QFileInfo(FileName(m_session.File())).absolutePath();
    const QString file = Questions::SaveFileName(m_parent, QStringLiteral("Save As"), folder);
    if (file.isEmpty() || m_unattended())
        return false;
    try {
        m_session.SaveAs(m_tree, file.toStdString());
        return true;
    } catch (const FileError& error) {
        Questions::Tell(m_parent, QMessageBox::Critical, QStringLiteral("Quillary"),
                        QStringLiteral("The data could not be saved: %1.").arg(ErrorText(error)));
        return false;
    }
}

} // namespace quillary
