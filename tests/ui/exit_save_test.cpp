// SPDX-License-Identifier: GPL-3.0-or-later
// The end's save when the data file cannot be written, and a copy that may not write it: the
// questions are answered through the seam, as the user would answer them.
#include "desktop_window.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "shell/profile_file.h"
#include "shell/recovery_copy.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

namespace {
const QByteArray Saved = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Kept~~~~~~41\r\n{Fold}0\r\n";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class ExitSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        qputenv("XDG_STATE_HOME", m_dir->filePath(QStringLiteral("state")).toUtf8());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("data")));
        m_data = m_dir->filePath(QStringLiteral("data/zelk.dat"));
        QFile file(m_data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Saved);
        file.close();
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_data);
        m_asked.clear();
        m_answers.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_asked.append(caption + QStringLiteral(": ") + text);
            return m_answers.isEmpty() ? QMessageBox::Cancel : m_answers.takeFirst();
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        Questions::SetFileHook({});
        m_form.reset();
        qunsetenv("XDG_STATE_HOME");
    }

    void aFailedSaveAsksAndCancelGoesBackWithNothingLost()
    {
        Change("Unsaved");
        BreakTheFolder();
        m_answers = {QMessageBox::Cancel};
        QVERIFY(!m_form->SaveOnExit());
        QCOMPARE(m_asked.size(), 1);
        QVERIFY2(m_asked[0].contains(m_data) && m_asked[0].contains(QStringLiteral("could not be saved")),
                 qPrintable(m_asked[0]));
        QVERIFY(m_form->Tree().HasUnsavedChanges());
        QCOMPARE(m_form->Tree().NodeCount(), 3);
    }

    void retryAfterTheCauseIsGoneSaves()
    {
        Change("Retried");
        BreakTheFolder();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_asked.append(caption + QStringLiteral(": ") + text);
            RepairTheFolder(); // the user made room, then chose Retry
            return QMessageBox::Retry;
        });
        QVERIFY(m_form->SaveOnExit());
        QCOMPARE(m_asked.size(), 1);
        QVERIFY(ReadAll(m_data).contains("}Retried~~"));
        QVERIFY(!m_form->Tree().HasUnsavedChanges());
    }

    void saveAsWritesTheChosenFileAndEnds()
    {
        Change("Elsewhere");
        BreakTheFolder();
        const QString chosen = m_dir->filePath(QStringLiteral("chosen.dat"));
        QStringList fileQuestions;
        Questions::SetFileHook([&](const QString& caption, const QString&) {
            fileQuestions.append(caption);
            return fileQuestions.size() == 1 ? QString() : chosen; // the first dialog is cancelled
        });
        m_answers = {QMessageBox::Save, QMessageBox::Save};
        QVERIFY(m_form->SaveOnExit());
        QCOMPARE(fileQuestions, (QStringList{"Save As", "Save As"}));
        QCOMPARE(m_asked.size(), 2); // back to the box after the cancelled file dialog
        QVERIFY(ReadAll(chosen).contains("}Elsewhere~~"));
        RepairTheFolder();
        QCOMPARE(ReadAll(m_data), Saved);
    }

    void discardEndsAndDropsTheRecoveryCopy()
    {
        Change("Thrown away");
        BreakTheFolder();
        const auto copy = m_form->Session().KeepRecovery(m_form->Tree()); // in the second place
        QVERIFY(std::filesystem::exists(copy));
        m_answers = {QMessageBox::Discard};
        QVERIFY(m_form->SaveOnExit());
        QVERIFY(!std::filesystem::exists(copy));
    }

    void anUnattendedEndNeverAsksAndKeepsTheChanges()
    {
        Change("Kept for later");
        BreakTheFolder();
        m_form->SetUnattendedEnd(true);
        QVERIFY(m_form->SaveOnExit());
        QVERIFY2(m_asked.isEmpty(), qPrintable(m_asked.join('\n')));
        // The data file's folder cannot take the copy: it is in the second place.
        const std::filesystem::path second = FallbackRecoveryFileOf(m_data.toStdString());
        QCOMPARE(QString::fromStdString(second.parent_path().string()), m_dir->filePath(QStringLiteral("state/quillary")));
        QVERIFY(ReadAll(QString::fromStdString(second.string())).contains("}Kept for later~~"));
    }

    void anUnattendedEndThatSavesLeavesNoRecoveryCopy()
    {
        Change("Saved at the end");
        m_form->SetUnattendedEnd(true);
        QVERIFY(m_form->SaveOnExit());
        QVERIFY(ReadAll(m_data).contains("}Saved at the end~~"));
        QVERIFY(!QFile::exists(m_data + QStringLiteral(".recovery")));
    }

    void aReadOnlyCopySaysSoAndNeverWritesTheFile()
    {
        m_form->SetReadOnly(QStringLiteral("another program was using it"));
        QVERIFY(m_form->windowTitle().contains(QStringLiteral("Read-only")));
        auto* panel = m_form->findChild<QLabel*>(QStringLiteral("ReadOnlyPanel"));
        QVERIFY(panel && panel->text().contains(QStringLiteral("Read-only")));
        QVERIFY(panel->toolTip().contains(m_data));
        Change("Never in the file");
        m_form->Save1Click();
        QCOMPARE(m_asked.size(), 1);
        QVERIFY2(m_asked[0].contains(QStringLiteral("read-only")) && m_asked[0].contains(m_data),
                 qPrintable(m_asked[0]));
        QCOMPARE(ReadAll(m_data), Saved);

        m_answers = {QMessageBox::Cancel};
        QVERIFY(!m_form->SaveOnExit());
        m_answers = {QMessageBox::Discard};
        QVERIFY(m_form->SaveOnExit());
        QCOMPARE(ReadAll(m_data), Saved);
        QVERIFY(!QFile::exists(m_data + QStringLiteral(".recovery")));
    }

    void aReadOnlyCopyWithoutChangesEndsWithoutAQuestion()
    {
        m_form->SetReadOnly(QStringLiteral("its lock file cannot be made"));
        QVERIFY(m_form->SaveOnExit());
        QVERIFY(m_asked.isEmpty());
        QCOMPARE(ReadAll(m_data), Saved);
    }

    void revertStillReloadsInAReadOnlyCopy()
    {
        m_form->SetReadOnly(QStringLiteral("another program was using it"));
        Change("Gone on revert");
        m_answers = {QMessageBox::Ok};
        m_form->Revert1Click();
        QCOMPARE(m_form->Tree().NodeCount(), 2);
        QVERIFY(!m_form->Tree().HasUnsavedChanges());
    }

private:
    void Change(const char* title)
    {
        CreateItem(KindFolder, title, "", "", m_form->Tree().Root(), "", 0);
        QVERIFY(m_form->Tree().HasUnsavedChanges());
    }
    // The data file's folder becomes a file: nothing can be written beside the data file.
    void BreakTheFolder()
    {
        const QString folder = m_dir->filePath(QStringLiteral("data"));
        QVERIFY(QDir(m_dir->path()).rename(QStringLiteral("data"), QStringLiteral("data.away")));
        QFile blocker(folder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    void RepairTheFolder()
    {
        QFile::remove(m_dir->filePath(QStringLiteral("data")));
        QDir(m_dir->path()).rename(QStringLiteral("data.away"), QStringLiteral("data"));
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QStringList m_asked;
    QList<QMessageBox::StandardButton> m_answers;
};

QTEST_MAIN(ExitSaveTest)
#include "exit_save_test.moc"
