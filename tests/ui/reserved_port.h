// SPDX-License-Identifier: GPL-3.0-or-later
// A TCP port on 127.0.0.1 of the system's choosing that a test holds without listening on it:
// connections to it are refused, as where no browser runs, and no other program can take the
// port while the test holds it.
#pragma once

#include <QString>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

class ReservedPort
{
public:
    ReservedPort() : m_socket(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        if (m_socket >= 0 && ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~ReservedPort()
    {
        if (m_socket >= 0)
            ::close(m_socket);
    }
    ReservedPort(const ReservedPort&) = delete;
    ReservedPort& operator=(const ReservedPort&) = delete;

    // 0 when no port could be had.
    quint16 Port() const { return m_port; }
    QString Endpoint() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    int m_socket;
    quint16 m_port = 0;
};
