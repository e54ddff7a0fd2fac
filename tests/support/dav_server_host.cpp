// SPDX-License-Identifier: GPL-3.0-or-later
// Starts Radicale or Xandikos for a shell test (see dav_servers.sh), prints where it listens as
// shell assignments, and keeps it running until its standard input closes or it is killed; the
// server never outlives this program.
#include "support/dav_servers.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

void Print(const char* name, const QString& value)
{
    std::printf("%s='%s'\n", name, qPrintable(value));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString kind = application.arguments().value(1);
    std::unique_ptr<DavServerProcess> server;
    if (kind == QLatin1String("radicale")) {
        auto radicale = std::make_unique<RadicaleServer>();
        if (radicale->Start()) {
            Print("DAV_USER", QString::fromLatin1(RadicaleServer::User));
            Print("DAV_PASSWORD", QString::fromLatin1(RadicaleServer::Password));
        }
        server = std::move(radicale);
    } else if (kind == QLatin1String("xandikos")) {
        auto xandikos = std::make_unique<XandikosServer>();
        if (xandikos->Start())
            Print("DAV_BOOK_URL", xandikos->AddressBookUrl());
        server = std::move(xandikos);
    } else {
        std::fprintf(stderr, "usage: dav_server_host radicale|xandikos\n");
        return 2;
    }
    if (!server->Running()) {
        std::fprintf(stderr, "%s did not start:\n%s\n", argv[1], qPrintable(server->Log()));
        return 1;
    }
    Print("DAV_URL", server->Url());
    Print("DAV_SERVER_PID", QString::number(server->Pid()));
    std::printf("DAV_READY=1\n");
    std::fflush(stdout);
    server->DiscardOutput();
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&] {
        char buffer[256];
        if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            application.quit();
    });
    return application.exec();
}
