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

    // An executable script that leaves a marker file beside itself when it runs.
    QString WriteMarkerProgram(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write("#!/bin/sh\ntouch \"$0.ran\"\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    // Waits until a program started after the documents has run, so a document that had been
    // started as a program would have left its marker by then.
    void WaitForAProgramToRun()
    {
        const QString program = WriteRecorder(true);
        const QString result = m_dir.filePath(QStringLiteral("args.txt"));
        QFile::remove(result);
        QtShell().Open(program.toStdString(), "sentinel", "");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(result), 20000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &m_catcher, "open");
        for (const char* scheme : {"https", "javascript", "mailto", "data"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &m_catcher, "open");
    }

    void cleanupTestCase()
    {
        for (const char* scheme : {"file", "https", "javascript", "mailto", "data"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
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

    void documentsAreOpenedByTheDesktopNeverRun()
    {
        const QString program = WriteMarkerProgram(QStringLiteral("document-program"));
        WriteMarkerProgram(QStringLiteral("docmarker"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", m_dir.path().toLocal8Bit() + ":" + path);
        QtShell shell;
        ItemServices services;
        services.shell = &shell;
        ItemTree tree(services);
        for (const QString& target : {program, QStringLiteral("docmarker")})
            CreateItem(KindDocument, "Letter", target.toStdString(), "", tree.Root(), "{Docs}0", 0)->Launch();
        qputenv("PATH", path);

        // Both go to the desktop's handler as files: the program itself, the bare name as a file
        // in the working folder (not the program found on the search path).
        QCOMPARE(m_catcher.urls, (QList<QUrl>{QUrl::fromLocalFile(program),
                                              QUrl::fromLocalFile(QDir::current().filePath("docmarker"))}));
        WaitForAProgramToRun();
        QVERIFY(!QFile::exists(program + QStringLiteral(".ran")));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("docmarker.ran"))));
    }

    void documentAddressesMustBeWebAddresses()
    {
        QtShell shell;
        for (const char* address : {"javascript:alert(1)", "mailto:x@y.org?attach=/etc/shadow", "data:text/html,x"})
            shell.OpenDocument(address);
        QVERIFY(m_catcher.urls.isEmpty());
        shell.OpenDocument("mailto:sam@x.org");
        shell.OpenDocument("https://example.org/letter.pdf");
        QCOMPARE(m_catcher.urls.size(), 2);
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
