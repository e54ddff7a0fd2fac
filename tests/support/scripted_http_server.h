// SPDX-License-Identifier: GPL-3.0-or-later
// An HTTP/1.1 server on 127.0.0.1 (or another loopback address) at a port of the system's choosing
// that answers each request as the test scripts it, over plain TCP or TLS (a certificate and key
// given), keeping connections open between requests. It records the requests and counts the
// connections.
#pragma once

#include <QHostAddress>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

#include <functional>
#include <memory>

struct ScriptedRequest
{
    QByteArray method;
    QByteArray target;
    QMap<QByteArray, QByteArray> headers; // names in lower case
    QByteArray body;
};

struct ScriptedReply
{
    using Headers = QList<QPair<QByteArray, QByteArray>>;
    ScriptedReply(int status = 207, QByteArray body = {}, Headers headers = {})
        : status(status), body(std::move(body)), headers(std::move(headers))
    {
    }

    int status;
    QByteArray body;
    Headers headers;
    bool silent = false;        // never answer, keep the connection open
    bool withoutLength = false; // no Content-Length: the body ends with the connection
    int trickleMs = 0;          // the body goes one byte at a time, one every so many milliseconds
};

class ScriptedHttpServer : public QTcpServer
{
public:
    using Script = std::function<ScriptedReply(const ScriptedRequest&)>;

    explicit ScriptedHttpServer(Script script, const QHostAddress& address = QHostAddress::LocalHost)
        : m_script(std::move(script))
    {
        listen(address, 0);
    }

    void UseTls(const QSslCertificate& certificate, const QSslKey& key)
    {
        m_certificate = certificate;
        m_key = key;
    }

    QString Url(const QString& path = QStringLiteral("/")) const
    {
        return QStringLiteral("%1://%2:%3%4")
            .arg(m_certificate.isNull() ? QStringLiteral("http") : QStringLiteral("https"))
            .arg(serverAddress().toString())
            .arg(serverPort())
            .arg(path);
    }

    QList<ScriptedRequest> requests;
    int connections = 0;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QSslSocket(this);
        socket->setSocketDescriptor(descriptor);
        ++connections;
        connect(socket, &QSslSocket::readyRead, socket, [this, socket] { Serve(socket); });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        if (!m_certificate.isNull()) {
            socket->setLocalCertificate(m_certificate);
            socket->setPrivateKey(m_key);
            // The client refuses our certificate; the handshake error is its, not ours.
            connect(socket, &QSslSocket::sslErrors, socket, [socket] { socket->ignoreSslErrors(); });
            socket->startServerEncryption();
        }
    }

private:
    void Serve(QSslSocket* socket)
    {
        QByteArray& pending = m_pending[socket];
        pending += socket->readAll();
        for (;;) {
            const qsizetype end = pending.indexOf("\r\n\r\n");
            if (end < 0)
                return;
            ScriptedRequest request = Head(pending.left(end));
            const qsizetype length = request.headers.value("content-length").toLongLong();
            if (pending.size() < end + 4 + length)
                return;
            request.body = pending.mid(end + 4, length);
            pending.remove(0, end + 4 + length);
            requests << request;
            Answer(socket, m_script(request));
        }
    }

    static ScriptedRequest Head(const QByteArray& head)
    {
        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        ScriptedRequest request{first.value(0), first.value(1), {}, {}};
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers[lines[i].left(colon).trimmed().toLower()] = lines[i].mid(colon + 1).trimmed();
        }
        return request;
    }

    static QByteArray Reason(int status)
    {
        static const QMap<int, QByteArray> reasons = {{200, "OK"},
                                                      {201, "Created"},
                                                      {204, "No Content"},
                                                      {207, "Multi-Status"},
                                                      {301, "Moved Permanently"},
                                                      {401, "Unauthorized"},
                                                      {403, "Forbidden"},
                                                      {404, "Not Found"},
                                                      {409, "Conflict"},
                                                      {412, "Precondition Failed"},
                                                      {500, "Internal Server Error"}};
        return reasons.value(status, "Other");
    }

    static void Answer(QSslSocket* socket, const ScriptedReply& reply)
    {
        if (reply.silent)
            return;
        QByteArray out = "HTTP/1.1 " + QByteArray::number(reply.status) + ' ' + Reason(reply.status) + "\r\n";
        for (const auto& [name, value] : reply.headers)
            out += name + ": " + value + "\r\n";
        if (reply.withoutLength)
            out += "Connection: close\r\n";
        else
            out += "Content-Length: " + QByteArray::number(reply.body.size()) + "\r\n";
        if (reply.trickleMs > 0) {
            socket->write(out + "\r\n");
            Trickle(socket, reply.body, reply.trickleMs);
            return;
        }
        socket->write(out + "\r\n" + reply.body);
        if (reply.withoutLength)
            socket->disconnectFromHost();
    }

    static void Trickle(QSslSocket* socket, const QByteArray& body, int everyMs)
    {
        auto* timer = new QTimer(socket);
        auto sent = std::make_shared<qsizetype>(0);
        QObject::connect(timer, &QTimer::timeout, socket, [socket, timer, body, sent] {
            if (*sent == body.size()) {
                timer->stop();
                return;
            }
            socket->write(body.mid((*sent)++, 1));
        });
        timer->start(everyMs);
    }

    Script m_script;
    QSslCertificate m_certificate;
    QSslKey m_key;
    QMap<QSslSocket*, QByteArray> m_pending;
};

// A multistatus body around the given responses, in the DAV: namespace with prefix "d".
inline QByteArray Multistatus(const QByteArray& responses, const QByteArray& extra = {})
{
    return "<?xml version=\"1.0\"?><d:multistatus xmlns:d=\"DAV:\" "
           "xmlns:card=\"urn:ietf:params:xml:ns:carddav\">" +
           responses + extra + "</d:multistatus>";
}
