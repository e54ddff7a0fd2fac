// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/kpx_object.h"
#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace quillary;

// Receives what the shell hands to the desktop instead of a real handler.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls.append(url); }
};

class QtShellTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    UrlCatcher m_catcher;

    // A program that writes its working directory and then each argument on a line of its own.
    QString WriteRecorder(bool executable)
    {
        const QString path = m_dir.filePath(QStringLiteral("recorder"));
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("#!/bin/sh\nout=\"$(dirname \"$0\")/args.txt\"\npwd > \"$out.tmp\"\n"
                   "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\nmv \"$out.tmp\" \"$out\"\n");
        file.close();
        QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner;
        if (executable)
            permissions |= QFile::ExeOwner;
        file.setPermissions(permissions);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_catcher, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_catcher, "open");
    }

    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }

    void init() { m_catcher.urls.clear(); }

    void programGetsItsWordsAndFolderWithoutAShell()
    {
        const QString program = WriteRecorder(true);
        const QString work = m_dir.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        QtShell().Open(program.toStdString(), R"(--new "a b" x;rm)", work.toStdString());

        const QString result = m_dir.filePath(QStringLiteral("args.txt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(result), 20000);
        QFile file(result);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{QDir(work).canonicalPath(), QStringLiteral("--new"), QStringLiteral("a b"),
                                     QStringLiteral("x;rm")}));
        QVERIFY(m_catcher.urls.isEmpty());
    }

    void bareProgramNameIsFoundOnTheSearchPath()
    {
        WriteRecorder(true);
        const QString result = m_dir.filePath(QStringLiteral("args.txt"));
        QFile::remove(result);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit() + ":" + path);
        QtShell().Open("recorder", "one", "");
        qputenv("PATH", path);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(result), 20000);
        QFile file(result);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(file.readAll()).endsWith(QStringLiteral("\none\n")));
        QVERIFY(m_catcher.urls.isEmpty());
    }

    void toolItemPassesItsTargetAsOneArgument()
    {
        const QString program = WriteRecorder(true);
        const QString result = m_dir.filePath(QStringLiteral("args.txt"));
        QFile::remove(result);
        QtShell shell;
        ItemServices services;
        services.shell = &shell;
        ItemTree tree(services);
        const std::string target = R"(Sam "the man" Smith; rm -rf /tmp/x)";
        TKPXObject* tool = CreateItem(KindTool, "Notes", target, "", tree.Root(),
                                      "{Tool}" + program.toStdString() + "~~--fixed~~0", 0);
        tool->Launch();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(result), 20000);
        QFile file(result);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines, (QStringList{QDir(m_dir.path()).canonicalPath(), QStringLiteral("--fixed"),
                                     QString::fromStdString(target)}));
    }

    void fileThatIsNoProgramGoesToTheDesktop()
    {
        const QString document = WriteRecorder(false);
        QtShell().Open(document.toStdString(), "ignored", m_dir.path().toStdString());
        QCOMPARE(m_catcher.urls, QList<QUrl>{QUrl::fromLocalFile(document)});
    }

    void addressIsOpenedAsGiven()
    {
        QtShell().Open("https://example.org/a?b=c d", "", "");
        QCOMPARE(m_catcher.urls.size(), 1);
        QCOMPARE(m_catcher.urls.first().host(), QStringLiteral("example.org"));
        QCOMPARE(m_catcher.urls.first().scheme(), QStringLiteral("https"));
    }
};

QTEST_MAIN(QtShellTest)
#include "qt_shell_test.moc"
