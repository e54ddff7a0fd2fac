// SPDX-License-Identifier: GPL-3.0-or-later
// What the main window tells when the settings file cannot be read or written.
#include "desktop_window.h"

#include "support/fault_setups.h"

#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/main_form.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillary;

class SettingsMessagesTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_dataPath = m_dir->filePath(QStringLiteral("zelk.dat"));
        Questions::SetHook([this](const QString&, const QString& text) {
            m_told.append(text);
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        Questions::SetHook({});
        m_told.clear();
        m_form.reset();
        m_settings.reset();
        m_disk.reset();
        m_dir.reset();
    }

    void anUnreadableFileIsNamedOnceAndNeverWritten()
    {
        const QString path = m_dir->filePath(QStringLiteral("kpx.ini"));
        QVERIFY(QDir().mkdir(path)); // a folder where the file should be
        TProfileFile settings(path.toStdString());
        DesktopWindow form(settings, m_dataPath);
        QTRY_COMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(path) && m_told.first().contains(QStringLiteral("cannot be read")),
                 qPrintable(m_told.first()));
        form.ApplySettings({10, 20, 700, 500, 150, 3, 100, 110, 120});
        form.SaveOnExit();
        QTest::qWait(10);
        QCOMPARE(m_told.size(), 1); // once, and no complaint at exit about a file left alone
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(QFile::exists(m_dataPath)); // the data file was saved all the same
    }

    void optionsOkOnAFullDiskSaysTheSettingsWereNotSaved()
    {
        TMainForm& form = FormOnFullDisk();
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
        });
        form.OptionsItemClick();
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(QStringLiteral("settings could not be saved")) &&
                     m_told.first().contains(m_settingsPath),
                 qPrintable(m_told.first()));
    }

    void theExitOnAFullDiskSaysSoToo()
    {
        TMainForm& form = FormOnFullDisk();
        form.SaveOnExit();
        QCOMPARE(m_told.size(), 1);
        QVERIFY2(m_told.first().contains(m_settingsPath) && m_told.first().contains(QStringLiteral("No space left")),
                 qPrintable(m_told.first()));
        QVERIFY(QFile::exists(m_dataPath));
    }

private:
    // The main window with its settings file on a small file system that is full.
    TMainForm& FormOnFullDisk()
    {
        const std::filesystem::path disk = m_dir->filePath(QStringLiteral("disk")).toStdString();
        m_disk = std::make_unique<test::FullDisk>(disk);
        if (!m_disk->Mounted())
            qFatal("cannot mount a tmpfs (the tests need root)");
        m_disk->Fill();
        m_settingsPath = QString::fromStdString((disk / "kpx.ini").string());
        m_settings = std::make_unique<TProfileFile>(m_settingsPath.toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, m_dataPath);
        QTest::qWait(10);
        return *m_form;
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FullDisk> m_disk;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    QString m_dataPath;
    QString m_settingsPath;
    QStringList m_told;
};

QTEST_MAIN(SettingsMessagesTest)
#include "settings_messages_test.moc"
