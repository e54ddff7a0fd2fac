// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include "platform/message_frame.h"
#include "platform/private_socket_folder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>
#include <QRegularExpression>

#include <memory>
#include <pwd.h>
#include <unistd.h>

namespace quillary {

namespace {

constexpr int ProbeTimeoutMs = 2000;
constexpr int LockTimeoutMs = 5000;
constexpr qsizetype MaxUserNameLength = 32;

QString UserName()
{
    if (const passwd* entry = ::getpwuid(::geteuid()); entry != nullptr && entry->pw_name != nullptr)
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(::geteuid());
}

QString SafeCharacters(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9._-]"));
    return text.replace(unsafe, QStringLiteral("_")).left(MaxUserNameLength);
}

QString CanonicalFolder(const QString& folder)
{
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool OwnedByThisUser(const QString& path)
{
    return QFileInfo(path).ownerId() == ::geteuid();
}

bool SomeoneAnswers(const QString& address)
{
    QLocalSocket probe;
    probe.connectToServer(address);
    const bool connected = probe.waitForConnected(ProbeTimeoutMs);
    probe.abort();
    return connected;
}

bool SendAll(QLocalSocket& socket, const QByteArray& bytes, int timeoutMs)
{
    if (socket.write(bytes) != bytes.size())
        return false;
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(timeoutMs))
            return false;
    }
    return true;
}

// The running copy's next answer byte, or none when it closes the connection or lets timeoutMs
// (-1: no limit) pass.
char AwaitAnswer(QLocalSocket& socket, int timeoutMs)
{
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(timeoutMs))
            return '\0';
    }
    char answer = '\0';
    socket.getChar(&answer);
    return answer;
}

void Answer(QLocalSocket& socket, char answer)
{
    socket.write(&answer, 1);
    socket.disconnectFromServer();
}

} // namespace

SingleInstance::SingleInstance(const QString& serverName, QObject* parent) : QObject(parent)
{
    const SocketFolderChoice folder = PrivateSocketFolder();
    m_problem = folder.problem;
    if (m_problem.isEmpty())
        m_address = folder.path + '/' + serverName;
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& workingDirectory)
{
    const QByteArray digest =
        QCryptographicHash::hash(CanonicalFolder(workingDirectory).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("quillary-%1-%2")
        .arg(SafeCharacters(UserName()), QString::fromLatin1(digest.toHex().left(16)));
}

SingleInstance::HandOverResult SingleInstance::HandOver(const QString& commandLine, int timeoutMs) const
{
    if (m_address.isEmpty() || !QFileInfo::exists(m_address) || !OwnedByThisUser(m_address))
        return HandOverResult::NobodyRunning;
    QLocalSocket socket;
    socket.connectToServer(m_address);
    if (!socket.waitForConnected(timeoutMs))
        return HandOverResult::NobodyRunning;
    // A stopped copy's socket still takes connections and bytes: only its receipt shows it is alive.
    if (!SendAll(socket, EncodeFrame(commandLine), timeoutMs))
        return HandOverResult::NoAnswer;
    switch (AwaitAnswer(socket, timeoutMs)) {
    case FrameReceived:
        break;
    case FrameRefused:
        return HandOverResult::Refused;
    case '\0':
        return socket.state() == QLocalSocket::ConnectedState ? HandOverResult::NoAnswer
                                                              : HandOverResult::NobodyRunning;
    default:
        return HandOverResult::Refused;
    }
    return AwaitAnswer(socket, -1) == FrameAcknowledged ? HandOverResult::Delivered : HandOverResult::Refused;
}

bool SingleInstance::Listen()
{
    if (m_address.isEmpty())
        return false;
    if (m_server != nullptr)
        return m_server->isListening();
    // Two copies starting at once must not both decide that nobody is there.
    QLockFile lock(m_address + QStringLiteral(".lock"));
    lock.tryLock(LockTimeoutMs);
    if (SomeoneAnswers(m_address))
        return false;
    QLocalServer::removeServer(m_address);
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_address))
        return false;
    m_server = server.release();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::AcceptPending);
    return true;
}

void SingleInstance::AcceptPending()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        auto decoder = std::make_shared<FrameDecoder>();
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, decoder] { ReadFrom(socket, *decoder); });
    }
}

void SingleInstance::ReadFrom(QLocalSocket* socket, FrameDecoder& decoder)
{
    if (decoder.Current() != FrameDecoder::State::Incomplete)
        return;
    switch (decoder.Feed(socket->readAll())) {
    case FrameDecoder::State::Incomplete:
        return;
    case FrameDecoder::State::Oversize:
        Answer(*socket, FrameRefused);
        return;
    case FrameDecoder::State::Complete:
        break;
    }
    // A sender that gave up waiting (this copy was stopped or busy) has told its user so; its
    // command line is not carried out behind the user's back.
    socket->waitForReadyRead(0);
    if (socket->state() != QLocalSocket::ConnectedState)
        return;
    // The receipt tells the sender that this copy is alive; handling may take a while.
    socket->write(&FrameReceived, 1);
    socket->flush();
    // The slots may run a nested event loop (a dialog) in which the sender goes away.
    const QPointer<QLocalSocket> guard(socket);
    emit commandLineReceived(decoder.Text());
    if (guard)
        Answer(*guard, FrameAcknowledged);
}

} // namespace quillary
