// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace quillary;

class AppPathsTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void homeVariableHoldsDataAndSettings();
    void relativeHomeBecomesAbsolute();
    void withoutHomeTheUsersDataAndConfigFoldersAreUsed();

private:
    QTemporaryDir m_scratch;
    QByteArray m_savedHome;
};

void AppPathsTest::init()
{
    QVERIFY(m_scratch.isValid());
    m_savedHome = qgetenv("QUILLARY_HOME");
}

void AppPathsTest::cleanup()
{
    qputenv("QUILLARY_HOME", m_savedHome);
    qunsetenv("XDG_DATA_HOME");
    qunsetenv("XDG_CONFIG_HOME");
}

void AppPathsTest::homeVariableHoldsDataAndSettings()
{
    const QString home = m_scratch.filePath("not/yet/there");
    qputenv("QUILLARY_HOME", home.toLocal8Bit());
    QCOMPARE(WorkingDirectory(), home);
    QVERIFY(QFileInfo(home).isDir());
    QCOMPARE(SettingsFilePath(), home + "/kpx.ini");
}

void AppPathsTest::relativeHomeBecomesAbsolute()
{
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_scratch.path()));
    qputenv("QUILLARY_HOME", "relative/home");
    const QString working = WorkingDirectory();
    const QString settings = SettingsFilePath();
    QDir::setCurrent(started);
    QCOMPARE(QFileInfo(working).canonicalFilePath(),
             QFileInfo(m_scratch.filePath("relative/home")).canonicalFilePath());
    QVERIFY(QFileInfo(working).isAbsolute());
    QCOMPARE(settings, working + "/kpx.ini");
}

void AppPathsTest::withoutHomeTheUsersDataAndConfigFoldersAreUsed()
{
    for (const QByteArray& unset : {QByteArray(), QByteArray("")}) {
        if (unset.isNull())
            qunsetenv("QUILLARY_HOME");
        else
            qputenv("QUILLARY_HOME", unset);
        qputenv("XDG_DATA_HOME", m_scratch.filePath("data").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", m_scratch.filePath("config").toLocal8Bit());
        QCOMPARE(WorkingDirectory(), m_scratch.filePath("data/quillary"));
        QVERIFY(QFileInfo(m_scratch.filePath("data/quillary")).isDir());
        QCOMPARE(SettingsFilePath(), m_scratch.filePath("config/quillary/kpx.ini"));
        QVERIFY(QFileInfo(m_scratch.filePath("config/quillary")).isDir());
    }
}

QTEST_MAIN(AppPathsTest)
#include "app_paths_test.moc"
