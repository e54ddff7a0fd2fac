// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-dbus-walk: as an automation client on the session bus, waits (up to 60 s) for a running
// Quillary, makes a cursor and times walking every node through Items(i) for i from 0 to
// ItemCount - 1, then Items and zelkTitle together. Run by bench/automation-dbus-bench.sh.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>

namespace {
const QString Service = QStringLiteral("Zelk.Application");
const QString CursorInterface = QStringLiteral("Zelk.Application.Cursor");

QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
}

bool WaitForService()
{
    for (int i = 0; i < 600; ++i) {
        if (QDBusConnection::sessionBus().interface()->isServiceRegistered(Service))
            return true;
        QThread::msleep(100);
    }
    return false;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (!WaitForService()) {
        std::fprintf(stderr, "quillary-dbus-walk: no Zelk.Application on the session bus\n");
        return 1;
    }
    const QDBusMessage created = Call(QStringLiteral("/"), Service, QStringLiteral("CreateObject"));
    if (created.type() != QDBusMessage::ReplyMessage || created.arguments().isEmpty()) {
        std::fprintf(stderr, "quillary-dbus-walk: CreateObject failed: %s\n", qPrintable(created.errorMessage()));
        return 1;
    }
    const QString cursor = created.arguments().first().value<QDBusObjectPath>().path();
    const int count = Call(cursor, CursorInterface, QStringLiteral("ItemCount")).arguments().value(0).toInt();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i)
        Call(cursor, CursorInterface, QStringLiteral("Items"), {i});
    const double walk = timer.nsecsElapsed() / 1e9;
    timer.restart();
    for (int i = 0; i < count; ++i) {
        Call(cursor, CursorInterface, QStringLiteral("Items"), {i});
        Call(cursor, CursorInterface, QStringLiteral("zelkTitle"));
    }
    const double walkAndRead = timer.nsecsElapsed() / 1e9;
    Call(QStringLiteral("/"), Service, QStringLiteral("Release"), {QVariant::fromValue(QDBusObjectPath(cursor))});
    std::printf("| %d nodes | Items(0 .. ItemCount - 1): %.2f s | with zelkTitle at each: %.2f s |\n", count, walk,
                walkAndRead);
    return 0;
}
