// SPDX-License-Identifier: GPL-3.0-or-later
// The recovery copy: written after the changes pause (or keep coming too long), never for a
// read-only copy, and offered at the start.
#include "desktop_window.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "shell/data_file_session.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"
#include "ui/shell/recovery_keeper.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;
using namespace std::chrono_literals;

namespace {
const QByteArray Saved = "{Params}\r\n{0 11 }My Contacts~~~~~~32892645\r\n{1 0 }Kept~~~~~~41\r\n{Fold}0\r\n";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void AddFolder(ItemTree& tree, const char* title)
{
    CreateItem(KindFolder, title, "", "", tree.Root(), "", 0);
}

const RecoveryKeeper::Timing Quick{50ms, 400ms, 10ms};
} // namespace

class RecoveryKeeperTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_data = m_dir->filePath(QStringLiteral("zelk.dat"));
        m_copy = m_data + QStringLiteral(".recovery");
        QFile file(m_data);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Saved);
        file.close();
        m_session = std::make_unique<DataFileSession>(m_data.toStdString());
        m_tree = std::make_unique<ItemTree>();
        m_session->Load(*m_tree);
    }

    void cleanup() { Questions::SetHook({}); }

    void theCopyFollowsAPauseInTheChangesAndSavingRemovesIt()
    {
        RecoveryKeeper keeper(*m_tree, *m_session, Quick);
        QSignalSpy written(&keeper, &RecoveryKeeper::Written);
        QTest::qWait(100);
        QVERIFY(!QFile::exists(m_copy)); // nothing unsaved, nothing written
        AddFolder(*m_tree, "First change");
        QTRY_VERIFY(ReadAll(m_copy).contains("}First change~~"));
        QCOMPARE(written.count(), 1);
        QCOMPARE(written.first().first().toString(), m_copy);
        QTest::qWait(100);
        QCOMPARE(written.count(), 1); // unchanged since: not written again
        AddFolder(*m_tree, "Second change");
        QTRY_VERIFY(ReadAll(m_copy).contains("}Second change~~"));
        m_session->Save(*m_tree);
        QVERIFY(!QFile::exists(m_copy));
        QTest::qWait(100);
        QVERIFY(!QFile::exists(m_copy));
    }

    void changesThatNeverPauseAreStillWrittenInTime()
    {
        RecoveryKeeper keeper(*m_tree, *m_session, Quick);
        QSignalSpy written(&keeper, &RecoveryKeeper::Written);
        // A change every 20 ms never leaves a quiet spell of 50 ms.
        for (int i = 0; i < 60 && written.isEmpty(); ++i) {
            AddFolder(*m_tree, "Busy");
            QTest::qWait(20);
        }
        QVERIFY(!written.isEmpty());
        QVERIFY(ReadAll(m_copy).contains("}Busy~~"));
    }

    void aReadOnlyCopyWritesNone()
    {
        m_session->SetReadOnly("another program was using it");
        RecoveryKeeper keeper(*m_tree, *m_session, Quick);
        AddFolder(*m_tree, "Unsaved");
        QTest::qWait(600);
        QVERIFY(!QFile::exists(m_copy));
    }

    void theStartOffersANewerCopyAndRestoreBringsTheChangesBack()
    {
        AddFolder(*m_tree, "From the crash");
        m_session->KeepRecovery(*m_tree);
        TProfileFile settings(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        DesktopWindow form(settings, m_data);
        QStringList asked;
        Questions::SetHook([&](const QString& caption, const QString& text) {
            asked.append(caption + QStringLiteral(": ") + text);
            return QMessageBox::Yes;
        });
        OfferRecovery(form);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked[0].startsWith(QStringLiteral("Restore Changes: ")) && asked[0].contains(m_copy) &&
                     asked[0].contains(m_data) && asked[0].contains(QStringLiteral("last saved")),
                 qPrintable(asked[0]));
        QCOMPARE(form.Tree().NodeCount(), 3);
        QVERIFY(form.Tree().HasUnsavedChanges());
        QCOMPARE(ReadAll(m_data), Saved); // the data file waits for the next save
    }

    void discardDeletesTheCopy()
    {
        AddFolder(*m_tree, "Not wanted");
        m_session->KeepRecovery(*m_tree);
        TProfileFile settings(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        DesktopWindow form(settings, m_data);
        Questions::SetHook([](const QString&, const QString&) { return QMessageBox::Discard; });
        OfferRecovery(form);
        QVERIFY(!QFile::exists(m_copy));
        QCOMPARE(form.Tree().NodeCount(), 2);
        QVERIFY(!form.Tree().HasUnsavedChanges());
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QString m_copy;
    std::unique_ptr<DataFileSession> m_session;
    std::unique_ptr<ItemTree> m_tree;
};

QTEST_MAIN(RecoveryKeeperTest)
#include "recovery_keeper_test.moc"
