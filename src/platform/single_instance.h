// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace quillary {

class FrameDecoder;

// Keeps one copy of the program running per user and working directory. A new copy first
// tries HandOver(); when nobody runs it calls Listen() and becomes the running copy. Should
// Listen() fail because another copy started in the meantime, HandOver() again (see
// StartAsSingleCopy in the application).
//
// The socket lives in a folder only this user can reach (see PrivateSocketFolder); without one
// Problem() says why and nothing is listened to or handed over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class HandOverResult {
        Delivered,     // the running copy handled the command line
        NobodyRunning, // no copy listens
        NoAnswer,      // a copy holds the socket but did not take the command line in time
        Refused,       // the running copy refused the message
    };

    explicit SingleInstance(const QString& serverName, QObject* parent = nullptr);
    ~SingleInstance() override;

    // Why no socket can be used, naming the folder; empty when all is well.
    const QString& Problem() const { return m_problem; }

    // A name made of the user's name and a hash of the canonical working directory; only
    // letters, digits, '.', '_' and '-'.
    static QString ServerName(const QString& workingDirectory);

    // The full path of the socket.
    const QString& Address() const { return m_address; }

    // Sends the whole command line to the running copy and waits until it has been handled
    // there. timeoutMs bounds connecting, sending and the running copy's receipt; once it has
    // taken the command line the wait for the end of its handling is not bounded, because
    // handling may ask the user something. A copy that is stopped, or too busy to take the
    // command line within timeoutMs, gives NoAnswer.
    HandOverResult HandOver(const QString& commandLine, int timeoutMs = 5000) const;

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
    QString m_problem;
    QLocalServer* m_server = nullptr;
};

} // namespace quillary
