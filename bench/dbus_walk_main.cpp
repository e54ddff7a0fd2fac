// SPDX-License-Identifier: GPL-3.0-or-later
// quillary-dbus-walk: as an automation client on the session bus, waits (up to 60 s) for a running
// Quillary, makes a cursor and times walking every node through Items(i) for i from 0 to
// ItemCount - 1, then Items and zelkTitle together. Each walk is timed twice: waiting for every
// reply before the next call (the bus latency dominates), and with up to Window calls in flight
// (the service's own cost per call). Run by bench/automation-dbus-bench.sh.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QThread>

#include <cstdio>
#include <deque>
#include <functional>

namespace {
const QString Service = QStringLiteral("Zelk.Application");
const QString CursorInterface = QStringLiteral("Zelk.Application.Cursor");

QDBusMessage Call(const QString& path, const QString& interface, const QString& method, const QVariantList& args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, interface, method);
    message.setArguments(args);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 10000);
}

// Calls in flight at once in the pipelined walks; replies still arrive in order.
constexpr std::size_t Window = 256;

QDBusMessage MakeCall(const QString& path, const QString& method, const QVariantList& args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(Service, path, CursorInterface, method);
    message.setArguments(args);
    return message;
}

// Sends the calls made by each(i) for i in [0, count) keeping at most Window unanswered; returns seconds.
double TimePipelined(int count, const std::function<void(int, std::deque<QDBusPendingCall>&)>& each)
{
    QElapsedTimer timer;
    timer.start();
    std::deque<QDBusPendingCall> inFlight;
    auto settle = [&inFlight](std::size_t keep) {
        while (inFlight.size() > keep) {
            inFlight.front().waitForFinished();
            inFlight.pop_front();
        }
    };
    for (int i = 0; i < count; ++i) {
        each(i, inFlight);
        settle(Window);
    }
    settle(0);
    return timer.nsecsElapsed() / 1e9;
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
    QDBusConnection bus = QDBusConnection::sessionBus();
    const double pipelinedWalk = TimePipelined(count, [&](int i, std::deque<QDBusPendingCall>& inFlight) {
        inFlight.push_back(bus.asyncCall(MakeCall(cursor, QStringLiteral("Items"), {i})));
    });
    const double pipelinedWalkAndRead = TimePipelined(count, [&](int i, std::deque<QDBusPendingCall>& inFlight) {
        inFlight.push_back(bus.asyncCall(MakeCall(cursor, QStringLiteral("Items"), {i})));
        inFlight.push_back(bus.asyncCall(MakeCall(cursor, QStringLiteral("zelkTitle"))));
    });
    Call(QStringLiteral("/"), Service, QStringLiteral("Release"), {QVariant::fromValue(QDBusObjectPath(cursor))});
    std::printf(
        "| %d nodes | one call at a time | Items(0 .. ItemCount - 1): %.2f s | with zelkTitle at each: %.2f s |\n",
        count, walk, walkAndRead);
    std::printf(
        "| %d nodes | %zu calls in flight | Items(0 .. ItemCount - 1): %.2f s | with zelkTitle at each: %.2f s |\n",
        count, Window, pipelinedWalk, pipelinedWalkAndRead);
    return 0;
}
