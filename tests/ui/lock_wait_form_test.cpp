// SPDX-License-Identifier: GPL-3.0-or-later
// Starting while another process holds the data file's lock: the wait window, its buttons, and
// the wait that ends by itself once the lock is free.
#include "common/run_lock.h"
#include "ui/shell/lock_wait_form.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillary;
using namespace std::chrono_literals;

class LockWaitFormTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_data = m_dir->filePath(QStringLiteral("zelk.dat"));
    }

    void cleanup()
    {
        if (m_holder.state() != QProcess::NotRunning) {
            m_holder.kill();
            m_holder.waitForFinished();
        }
    }

    void aFreeLockIsTakenWithoutAWindow()
    {
        bool windowShown = false;
        QTimer::singleShot(0, [&windowShown] { windowShown = QApplication::activeModalWidget() != nullptr; });
        DataFileHold hold = HoldDataFile(m_data, 10ms);
        // The check runs here, not in a later test whose wait window is up.
        QCoreApplication::processEvents();
        QVERIFY(!windowShown);
        QVERIFY(hold.lock);
        QVERIFY(hold.readOnlyReason.isEmpty());
        QVERIFY(!RunLock::TryAcquire(m_data.toStdString())); // this process holds it now
    }

    void theWaitEndsByItselfWhenTheOtherProgramLetsGo()
    {
        HoldElsewhere();
        QString title;
        QString text;
        QTimer::singleShot(100, [&] {
            QWidget* wait = QApplication::activeModalWidget();
            QVERIFY(wait);
            title = wait->windowTitle();
            text = wait->findChild<QLabel*>(QStringLiteral("WaitText"))->text();
            m_holder.kill(); // the command-line import is done
        });
        DataFileHold hold = HoldDataFile(m_data, 10ms);
        QCOMPARE(title, QStringLiteral("Waiting for zelk.dat..."));
        QVERIFY2(text.contains(m_data) && text.contains(QStringLiteral("quillary-cli")), qPrintable(text));
        QVERIFY(hold.lock);
        QVERIFY(!hold.cancelled);
        QVERIFY(hold.readOnlyReason.isEmpty());
    }

    void openReadOnlyGoesOnWithoutTheLock()
    {
        HoldElsewhere();
        ClickWhenShown("ReadOnlyBtn");
        const DataFileHold hold = HoldDataFile(m_data, 10ms);
        QVERIFY(!hold.lock);
        QVERIFY(!hold.cancelled);
        QVERIFY(hold.chosen);
        QVERIFY(hold.readOnlyReason.contains(QStringLiteral("another program")));
    }

    void cancelEndsTheStart()
    {
        HoldElsewhere();
        ClickWhenShown("CancelBtn");
        const DataFileHold hold = HoldDataFile(m_data, 10ms);
        QVERIFY(hold.cancelled);
        QVERIFY(!hold.lock);
    }

    void aLockFileThatCannotBeMadeMeansReadOnly()
    {
        // Something else took the lock file's name.
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("zelk.dat.lock")));
        const DataFileHold hold = HoldDataFile(m_data, 10ms);
        QVERIFY(!hold.lock);
        QVERIFY(!hold.cancelled);
        QVERIFY(!hold.chosen);
        QVERIFY2(hold.readOnlyReason.contains(m_data + QStringLiteral(".lock")), qPrintable(hold.readOnlyReason));
    }

private:
    // A real process takes the lock, as quillary-cli does during an import.
    void HoldElsewhere()
    {
        const QString lockFile = QString::fromStdString(RunLock::LockFileOf(m_data.toStdString()).string());
        m_holder.start(QStringLiteral("flock"), {QStringLiteral("--no-fork"), QStringLiteral("-x"), lockFile,
                                                 QStringLiteral("sleep"), QStringLiteral("60")});
        QVERIFY(m_holder.waitForStarted());
        QTRY_VERIFY([&] { return !RunLock::TryAcquire(m_data.toStdString()).has_value(); }());
    }

    void ClickWhenShown(const char* button)
    {
        QTimer::singleShot(100, [button] {
            QWidget* wait = QApplication::activeModalWidget();
            QVERIFY(wait);
            auto* target = wait->findChild<QPushButton*>(QString::fromLatin1(button));
            QVERIFY(target);
            QTest::mouseClick(target, Qt::LeftButton);
        });
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_data;
    QProcess m_holder;
};

QTEST_MAIN(LockWaitFormTest)
#include "lock_wait_form_test.moc"
