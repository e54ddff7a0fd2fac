// SPDX-License-Identifier: GPL-3.0-or-later
// A DevTools HTTP endpoint on 127.0.0.1 at a port of the system's choosing, for browser tests:
// it records each request line and answers from a table of replies by path.
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QMap>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

class FakeDevToolsServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
    };

    FakeDevToolsServer()
    {
        m_server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_server, &QTcpServer::newConnection, &m_server, [this] {
            while (QTcpSocket* socket = m_server.nextPendingConnection())
                Serve(socket);
        });
        answers[QByteArray("GET /json/version")] = {200, R"({"Browser":"Chrome/140.0","Protocol-Version":"1.3"})"};
        answers[QByteArray("PUT /json/new")] = {200, R"({"id":"TAB-7","type":"page","url":"about:blank"})"};
        // Chromium refuses to open tabs on a GET.
        answers[QByteArray("GET /json/new")] = {405, "Using unsafe HTTP verb GET to invoke /json/new."};
        answers[QByteArray("GET /json/activate/TAB-7")] = {200, "Target activated"};
        answers[QByteArray("GET /json/list")] = {
            200, R"([{"id":"UI","type":"browser_ui","url":"chrome://newtab/","title":"UI"},
                     {"id":"P1","type":"page","url":"file:///tmp/x.htm","title":"My Page"},
                     {"id":"P2","type":"page","url":"https://older.example/","title":"Older"}])"};
    }

    QString Endpoint() const { return QStringLiteral("127.0.0.1:%1").arg(m_server.serverPort()); }
    quint16 Port() const { return m_server.serverPort(); }

    // Method and path without the query, mapped to the answer; others get 404.
    QMap<QByteArray, Answer> answers;
    // Request lines as received: "PUT /json/new?https://..." and so on.
    QStringList requests;

private:
    void Serve(QTcpSocket* socket)
    {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            m_pending[socket] += socket->readAll();
            const QByteArray data = m_pending[socket];
            if (!data.contains("\r\n\r\n") || data.size() > 65536)
                return;
            m_pending.remove(socket);
            const QList<QByteArray> parts = data.left(data.indexOf("\r\n")).split(' ');
            const QByteArray target = parts.value(1);
            requests << QString::fromLatin1(parts.value(0) + ' ' + target);
            const QByteArray key = parts.value(0) + ' ' + target.split('?').first();
            const Answer answer = answers.value(key, Answer{404, "No such target"});
            socket->write("HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\nContent-Type: application/json\r\n" +
                          "Content-Length: " + QByteArray::number(answer.body.size()) +
                          "\r\nConnection: close\r\n\r\n" + answer.body);
            socket->disconnectFromHost();
        });
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

    QTcpServer m_server;
    QMap<QTcpSocket*, QByteArray> m_pending;
};
