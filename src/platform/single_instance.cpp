// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/single_instance.h"

#include "platform/message_frame.h"

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

// $XDG_RUNTIME_DIR is private to the user; the temporary folder is shared, which is why
// HandOver() checks who owns the socket there.
QString SocketFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return runtime;
    return QDir::tempPath();
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

// Blocks until the running copy answers or closes the connection.
char AwaitAnswer(QLocalSocket& socket)
{
    while (socket.bytesAvailable() < 1) {
        if (!socket.waitForReadyRead(-1))
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

SingleInstance::SingleInstance(const QString& serverName, QObject* parent)
    : QObject(parent), m_address(SocketFolder() + '/' + serverName)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::ServerName(const QString& workingDirectory)
{
    const QByteArray digest =
        QCryptographicHash::hash(CanonicalFolder(workingDirectory).toUtf8(), QCryptographicHash::Sha256);
    return QStringLiteral("quillary-%1-%2")
        .arg(SafeCharacters(UserName()), QString::fromLatin1(digest.toHex().left(16)));
}

bool SingleInstance::HandOver(const QString& commandLine, int timeoutMs) const
{
    if (!QFileInfo::exists(m_address) || !OwnedByThisUser(m_address))
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_address);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    if (!SendAll(socket, EncodeFrame(commandLine), timeoutMs))
        return false;
    return AwaitAnswer(socket) == FrameAcknowledged;
}

bool SingleInstance::Listen()
{
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
    // The slots may run a nested event loop (a dialog) in which the sender goes away.
    const QPointer<QLocalSocket> guard(socket);
    emit commandLineReceived(decoder.Text());
    if (guard)
        Answer(*guard, FrameAcknowledged);
}

} // namespace quillary
