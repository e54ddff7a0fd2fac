// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace quillary {

class FrameDecoder;

// Keeps one copy of the program running per user and working directory. A new copy first
// tries HandOver(); when that fails it calls Listen() and becomes the running copy. Should
// Listen() fail because another copy started in the meantime, HandOver() again:
//
//     SingleInstance instance(SingleInstance::ServerName(WorkingDirectory()));
//     if (instance.HandOver(commandLine) || (!instance.Listen() && instance.HandOver(commandLine)))
//         return 0;
//
// The socket lives in $XDG_RUNTIME_DIR when there is one (private to the user), else in the
// temporary folder with user-only access.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString& serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // A name made of the user's name and a hash of the canonical working directory; only
    // letters, digits, '.', '_' and '-'.
    static QString ServerName(const QString& workingDirectory);

    // The full path of the socket.
    const QString& Address() const { return m_address; }

    // Sends the whole command line to the running copy and waits until it has been handled
    // there. timeoutMs bounds connecting and sending; the wait for the answer is not bounded,
    // because handling may ask the user something. False when no copy answers, the socket
    // belongs to someone else, or the running copy refused the message or went away.
    bool HandOver(const QString& commandLine, int timeoutMs = 5000) const;

    // Becomes the running copy. A socket left by a copy that crashed is replaced; a socket
    // on which another copy answers is left alone and the result is false.
    bool Listen();

signals:
    // One per command line received. The sender is answered after every connected slot has
    // returned, so connect directly (not queued) to make it wait for the handling.
    void commandLineReceived(const QString& commandLine);

private:
    void AcceptPending();
    void ReadFrom(QLocalSocket* socket, FrameDecoder& decoder);

    QString m_address;
    QLocalServer* m_server = nullptr;
};

} // namespace quillary
