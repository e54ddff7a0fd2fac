// SPDX-License-Identifier: GPL-3.0-or-later
// Real CardDAV servers for tests and benchmarks: Radicale (with a user "alice" and her password in
// a plain htpasswd file) and Xandikos (no authentication, an address book made at start), each on
// 127.0.0.1 at a port of the system's choosing, storing into a scratch folder of its own. The
// server is killed when the object goes, and with the process that started it should that one
// die first, so no test leaves one behind. Start() waits until the server answers.
#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

class DavServerProcess
{
public:
    DavServerProcess() = default;
    DavServerProcess(const DavServerProcess&) = delete;
    DavServerProcess& operator=(const DavServerProcess&) = delete;
    virtual ~DavServerProcess() { Stop(); }

    quint16 Port() const { return m_port; }
    qint64 Pid() const { return m_process.processId(); }
    bool Running() const { return m_process.state() == QProcess::Running; }
    // "http://127.0.0.1:PORT/"
    QString Url() const { return QStringLiteral("http://127.0.0.1:%1/").arg(m_port); }
    QString Folder() const { return m_folder.path(); }
    // What the server wrote so far, for the message of a failed start.
    QString Log() { return m_log += QString::fromLocal8Bit(m_process.readAll()); }

    // Once started, the server's output is read away as it comes: a pipe nobody reads fills up,
    // and the server then stops in the middle of a request to write its next log line. Needs an
    // event loop.
    void DiscardOutput()
    {
        QObject::connect(&m_process, &QProcess::readyRead, &m_process, [this] { m_process.readAll(); });
    }

    // Kills the server at once, as a crash or a pulled cable would end it.
    void Stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.kill();
        m_process.waitForFinished(30000);
    }

protected:
    static constexpr int StartLimitMs = 60000;

    void Launch(const QString& program, const QStringList& arguments)
    {
        m_log.clear();
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        m_process.start(program, arguments);
        m_process.waitForStarted(StartLimitMs);
    }

    // Reads the server's output until pattern's first group appears; false when it ends first.
    bool WaitForLine(const QRegularExpression& pattern, QString& captured)
    {
        QDeadlineTimer deadline(StartLimitMs);
        while (!deadline.hasExpired()) {
            const QRegularExpressionMatch match = pattern.match(Log());
            if (match.hasMatch()) {
                captured = match.captured(1);
                return true;
            }
            if (!Running())
                return false;
            m_process.waitForReadyRead(200);
        }
        return false;
    }

    // Waits until the port takes connections.
    bool WaitForPort()
    {
        QDeadlineTimer deadline(StartLimitMs);
        while (!deadline.hasExpired() && Running()) {
            QTcpSocket probe;
            probe.connectToHost(QStringLiteral("127.0.0.1"), m_port);
            if (probe.waitForConnected(1000))
                return true;
            m_process.waitForFinished(100);
        }
        return false;
    }

    QTemporaryDir m_folder;
    QProcess m_process;
    QString m_log;
    quint16 m_port = 0;
};

class RadicaleServer : public DavServerProcess
{
public:
    static constexpr char User[] = "alice";
    static constexpr char Password[] = "rabbit-hole-42";

    bool Start()
    {
        QFile users(m_folder.filePath(QStringLiteral("users")));
        if (!users.open(QIODevice::WriteOnly) || users.write(QByteArray(User) + ':' + Password + '\n') < 0)
            return false;
        users.close();
        Launch(QStringLiteral("radicale"),
               {QStringLiteral("--config="), QStringLiteral("--server-hosts=127.0.0.1:0"),
                QStringLiteral("--storage-filesystem-folder=") + m_folder.filePath(QStringLiteral("collections")),
                QStringLiteral("--auth-type=htpasswd"), QStringLiteral("--auth-htpasswd-filename=") + users.fileName(),
                QStringLiteral("--auth-htpasswd-encryption=plain"), QStringLiteral("--logging-level=info")});
        QString port;
        if (!WaitForLine(QRegularExpression(QStringLiteral("Listening on '\\[?[0-9.]+\\]?:(\\d+)'")), port))
            return false;
        m_port = port.toUShort();
        QString ready;
        return WaitForLine(QRegularExpression(QStringLiteral("(Radicale server ready)")), ready);
    }
};

class XandikosServer : public DavServerProcess
{
public:
    // The address book --defaults makes.
    QString AddressBookUrl() const { return Url() + QStringLiteral("user/contacts/addressbook/"); }

    // Xandikos cannot tell which port it got, so a free one is chosen for it; another program
    // taking it in between ends the start, and the next try gets another.
    bool Start()
    {
        for (int attempt = 0; attempt < 5; ++attempt) {
            m_port = FreePort();
            Launch(QStringLiteral("xandikos"),
                   {QStringLiteral("--defaults"), QStringLiteral("-d"), m_folder.filePath(QStringLiteral("store")),
                    QStringLiteral("-l"), QStringLiteral("127.0.0.1"), QStringLiteral("-p"), QString::number(m_port)});
            if (WaitForPort())
                return true;
            Stop();
        }
        return false;
    }

private:
    static quint16 FreePort()
    {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }
};
