// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_frame.h"
#include "platform/single_instance.h"

#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <atomic>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace quillary;

namespace {

constexpr int WaitLimitMs = 30000;

// HandOver() blocks until the running copy answers, and the running copy answers from this
// thread's event loop: the second copy therefore runs on a thread of its own.
class SecondCopy : public QThread
{
public:
    SecondCopy(const QString& serverName, const QString& commandLine)
        : m_instance(serverName), m_commandLine(commandLine)
    {
    }

    void run() override
    {
        delivered = m_instance.HandOver(m_commandLine) == SingleInstance::HandOverResult::Delivered;
        returned = true;
    }

    std::atomic<bool> returned = false;
    std::atomic<bool> delivered = false;

private:
    SingleInstance m_instance;
    QString m_commandLine;
};

// What a copy that crashed leaves behind: a socket file on which nobody listens.
void LeaveStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = path.toLocal8Bit();
    QVERIFY(encoded.size() < static_cast<qsizetype>(sizeof address.sun_path));
    qstrcpy(address.sun_path, encoded.constData());
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
}

// What a stopped copy looks like from outside: its socket takes connections (the system queues
// them) and bytes, and nobody ever reads or answers.
int ListenWithoutAnswering(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    qstrcpy(address.sun_path, path.toLocal8Bit().constData());
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 8) != 0)
        return -1;
    return fd;
}

// Sets an environment variable for one test and puts the old value back afterwards.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const QByteArray& value)
        : m_name(name), m_hadValue(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnvironment()
    {
        if (m_hadValue)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char* m_name;
    bool m_hadValue;
    QByteArray m_old;
};

// Waits for the running copy's one-byte answer on a raw client.
char AnswerOn(QLocalSocket& client)
{
    if (!QTest::qWaitFor([&client] { return client.bytesAvailable() > 0; }, WaitLimitMs))
        return '\0';
    char answer = '\0';
    client.getChar(&answer);
    return answer;
}

} // namespace

class SingleInstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void serverNameDependsOnTheCanonicalFolderOnly();
    void commandLineIsAnsweredOnlyAfterItWasHandled();
    void handOverFailsWhenNoCopyRuns();
    void listenReplacesTheSocketOfACrashedCopy();
    void listenLeavesARunningCopyAlone();
    void messagesInPiecesOversizeOrAbandonedAreHandledSafely();
    void aCopyThatTakesNoCommandLineIsGivenUpOn();
    void withoutARuntimeFolderTheSocketLivesInAPrivateFolder();
    void aSharedFolderThatIsNotPrivatelyOursIsRefused();

private:
    QString m_serverName;
    std::unique_ptr<QTemporaryDir> m_folder;
};

void SingleInstanceTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    QVERIFY(m_folder->isValid());
    m_serverName = SingleInstance::ServerName(m_folder->path());
}

void SingleInstanceTest::serverNameDependsOnTheCanonicalFolderOnly()
{
    QTemporaryDir other;
    const QString name = SingleInstance::ServerName(m_folder->path());
    QCOMPARE(SingleInstance::ServerName(m_folder->path() + "/./"), name);
    QCOMPARE(SingleInstance::ServerName(m_folder->path() + "/sub/.."), name);
    QVERIFY(QFile::link(m_folder->path(), other.filePath("link")));
    QCOMPARE(SingleInstance::ServerName(other.filePath("link")), name);
    QVERIFY(SingleInstance::ServerName(other.path()) != name);
    QVERIFY(QRegularExpression("^[A-Za-z0-9._-]+$").match(name).hasMatch());
}

void SingleInstanceTest::commandLineIsAnsweredOnlyAfterItWasHandled()
{
    SingleInstance running(m_serverName);
    QVERIFY(running.Listen());
    const QString commandLine = QStringLiteral("/usr/bin/quillary \"/home/ann/My Cards/ünïcode.vcf\" HIDEWIN");
    SecondCopy second(m_serverName, commandLine);
    QStringList received;
    bool secondReturnedDuringHandling = true;
    connect(&running, &SingleInstance::commandLineReceived, this, [&](const QString& text) {
        received << text;
        // Give a premature answer every chance to reach the second copy before looking.
        QThread::msleep(200);
        secondReturnedDuringHandling = second.returned;
    });
    second.start();
    QTRY_VERIFY_WITH_TIMEOUT(second.isFinished(), WaitLimitMs);
    QCOMPARE(received, QStringList{commandLine});
    QVERIFY(!secondReturnedDuringHandling);
    QVERIFY(second.delivered);
}

void SingleInstanceTest::handOverFailsWhenNoCopyRuns()
{
    SingleInstance lonely(m_serverName);
    QCOMPARE(lonely.HandOver(QStringLiteral("quillary")), SingleInstance::HandOverResult::NobodyRunning);
}

void SingleInstanceTest::listenReplacesTheSocketOfACrashedCopy()
{
    SingleInstance restarted(m_serverName);
    LeaveStaleSocket(restarted.Address());
    if (QTest::currentTestFailed())
        return;
    QVERIFY(QFileInfo::exists(restarted.Address()));
    QCOMPARE(restarted.HandOver(QStringLiteral("quillary")), SingleInstance::HandOverResult::NobodyRunning);

    QVERIFY(restarted.Listen());
    QSignalSpy received(&restarted, &SingleInstance::commandLineReceived);
    SecondCopy second(m_serverName, QStringLiteral("quillary a.zkd"));
    second.start();
    QTRY_VERIFY_WITH_TIMEOUT(second.isFinished(), WaitLimitMs);
    QVERIFY(second.delivered);
    QCOMPARE(received.count(), 1);
}

void SingleInstanceTest::listenLeavesARunningCopyAlone()
{
    SingleInstance first(m_serverName);
    QVERIFY(first.Listen());
    SingleInstance late(m_serverName);
    QVERIFY(!late.Listen());

    QSignalSpy received(&first, &SingleInstance::commandLineReceived);
    SecondCopy second(m_serverName, QStringLiteral("quillary"));
    second.start();
    QTRY_VERIFY_WITH_TIMEOUT(second.isFinished(), WaitLimitMs);
    QVERIFY(second.delivered);
    QCOMPARE(received.count(), 1);
}

void SingleInstanceTest::messagesInPiecesOversizeOrAbandonedAreHandledSafely()
{
    SingleInstance running(m_serverName);
    QVERIFY(running.Listen());
    QSignalSpy received(&running, &SingleInstance::commandLineReceived);

    QLocalSocket piecewise;
    piecewise.connectToServer(running.Address());
    QVERIFY(piecewise.waitForConnected(WaitLimitMs));
    for (const char byte : EncodeFrame(QStringLiteral("quillary x.zkd"))) {
        piecewise.write(&byte, 1);
        piecewise.flush();
        QCoreApplication::processEvents();
    }
    QCOMPARE(AnswerOn(piecewise), FrameReceived);
    QCOMPARE(AnswerOn(piecewise), FrameAcknowledged);
    QCOMPARE(received.count(), 1);
    QCOMPARE(received.front().front().toString(), QStringLiteral("quillary x.zkd"));

    QLocalSocket oversize;
    oversize.connectToServer(running.Address());
    QVERIFY(oversize.waitForConnected(WaitLimitMs));
    QByteArray header(4, '\0');
    qToBigEndian(static_cast<quint32>(MaxFrameBytes + 1), header.data());
    oversize.write(header + QByteArray(1024, 'x'));
    QCOMPARE(AnswerOn(oversize), FrameRefused);

    QLocalSocket abandoned;
    abandoned.connectToServer(running.Address());
    QVERIFY(abandoned.waitForConnected(WaitLimitMs));
    abandoned.write(EncodeFrame(QStringLiteral("quillary never.zkd")).left(10));
    abandoned.flush();
    QCoreApplication::processEvents();
    abandoned.abort();

    SecondCopy second(m_serverName, QStringLiteral("quillary y.zkd"));
    second.start();
    QTRY_VERIFY_WITH_TIMEOUT(second.isFinished(), WaitLimitMs);
    QVERIFY(second.delivered);
    QCOMPARE(received.count(), 2);
    QCOMPARE(received.back().front().toString(), QStringLiteral("quillary y.zkd"));
}

void SingleInstanceTest::aCopyThatTakesNoCommandLineIsGivenUpOn()
{
    SingleInstance second(m_serverName);
    const int stopped = ListenWithoutAnswering(second.Address());
    QVERIFY(stopped >= 0);
    QCOMPARE(second.HandOver(QStringLiteral("quillary a.zkd"), 300), SingleInstance::HandOverResult::NoAnswer);
    // Nor may it take the socket over while the other copy holds it.
    QVERIFY(!second.Listen());
    ::close(stopped);
}

void SingleInstanceTest::withoutARuntimeFolderTheSocketLivesInAPrivateFolder()
{
    QTemporaryDir shared;
    QVERIFY(QFile::setPermissions(shared.path(), QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser |
                                                     QFileDevice::ReadOther | QFileDevice::WriteOther |
                                                     QFileDevice::ExeOther));
    const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", QByteArray());
    const ScopedEnvironment tmp("TMPDIR", QFile::encodeName(shared.path()));
    const QString folder = shared.filePath(QStringLiteral("quillary-%1").arg(::geteuid()));
    const mode_t oldMask = ::umask(0);
    {
        SingleInstance first(m_serverName);
        ::umask(oldMask);
        QCOMPARE(first.Problem(), QString());
        QCOMPARE(QFileInfo(first.Address()).path(), folder);
        struct stat info
        {
        };
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t{0700});
        QVERIFY(first.Listen());
        QSignalSpy received(&first, &SingleInstance::commandLineReceived);
        SecondCopy second(m_serverName, QStringLiteral("quillary b.zkd"));
        second.start();
        QTRY_VERIFY_WITH_TIMEOUT(second.isFinished(), WaitLimitMs);
        QVERIFY(second.delivered);
    }
    // A folder of ours that was left open to others is closed before it is used.
    QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0777) == 0);
    SingleInstance again(m_serverName);
    QCOMPARE(again.Problem(), QString());
    struct stat info
    {
    };
    QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t{0700});

    // A runtime folder that others may enter is passed over for the private one.
    QTemporaryDir openRuntime;
    QVERIFY(::chmod(QFile::encodeName(openRuntime.path()).constData(), 0777) == 0);
    const ScopedEnvironment runtime("XDG_RUNTIME_DIR", QFile::encodeName(openRuntime.path()));
    QCOMPARE(QFileInfo(SingleInstance(m_serverName).Address()).path(), folder);
}

void SingleInstanceTest::aSharedFolderThatIsNotPrivatelyOursIsRefused()
{
    QTemporaryDir shared;
    const ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", QByteArray());
    const ScopedEnvironment tmp("TMPDIR", QFile::encodeName(shared.path()));
    const QString folder = shared.filePath(QStringLiteral("quillary-%1").arg(::geteuid()));
    const QByteArray path = QFile::encodeName(folder);

    // Another user made the folder first (the test runs as root, so it can play that user).
    QVERIFY(::mkdir(path.constData(), 0777) == 0);
    QVERIFY(::chmod(path.constData(), 0777) == 0);
    QVERIFY2(::chown(path.constData(), 65534, 65534) == 0, "giving the folder to another user needs root");
    SingleInstance squatted(m_serverName);
    QVERIFY(squatted.Problem().contains(folder));
    QVERIFY(squatted.Address().isEmpty());
    QVERIFY(!squatted.Listen());
    QCOMPARE(squatted.HandOver(QStringLiteral("quillary")), SingleInstance::HandOverResult::NobodyRunning);

    // Nor is a link in its place followed, even to a private folder of ours.
    QVERIFY(::rmdir(path.constData()) == 0);
    QTemporaryDir ours;
    QVERIFY(QFile::link(ours.path(), folder));
    QVERIFY(SingleInstance(m_serverName).Problem().contains(folder));
}

QTEST_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
