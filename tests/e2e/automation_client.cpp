// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted automation client for the end-to-end test. It keeps one bus connection for the whole
// run, since a cursor lives only as long as its client's connection. Arguments, in order:
//   Create                 asks "/" for a cursor and works on it from then on
//   Release                releases that cursor
//   Method[,i:5][,s:text]  calls a cursor member with integer and text arguments
// Each call prints one line: the answer (true/false for Booleans), "ok" for none, or
// "error NAME: MESSAGE". The exit status is 0 when the bus could be reached.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>

#include <cstdio>

namespace {

const QString Service = QStringLiteral("Zelk.Application");

QVariantList Arguments(const QStringList& parts)
{
    QVariantList args;
    for (const QString& part : parts.mid(1)) {
        if (part.startsWith(QStringLiteral("i:")))
            args.append(part.mid(2).toInt());
        else
            args.append(part.mid(2));
    }
    return args;
}

QString Text(const QDBusMessage& reply)
{
    if (reply.type() != QDBusMessage::ReplyMessage)
        return QStringLiteral("error %1: %2").arg(reply.errorName(), reply.errorMessage());
    if (reply.arguments().isEmpty())
        return QStringLiteral("ok");
    const QVariant answer = reply.arguments().first();
    if (answer.userType() == qMetaTypeId<QDBusObjectPath>())
        return answer.value<QDBusObjectPath>().path();
    if (answer.typeId() == QMetaType::Bool)
        return answer.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    return answer.toString();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return 1;
    QString cursor;
    for (const QString& step : app.arguments().mid(1)) {
        const QStringList parts = step.split(QLatin1Char(','));
        QDBusMessage call;
        if (parts.first() == QStringLiteral("Create")) {
            call =
                QDBusMessage::createMethodCall(Service, QStringLiteral("/"), Service, QStringLiteral("CreateObject"));
        } else if (parts.first() == QStringLiteral("Release")) {
            call = QDBusMessage::createMethodCall(Service, QStringLiteral("/"), Service, QStringLiteral("Release"));
            call.setArguments({QVariant::fromValue(QDBusObjectPath(cursor))});
        } else {
            call = QDBusMessage::createMethodCall(Service, cursor, Service + QStringLiteral(".Cursor"), parts.first());
            call.setArguments(Arguments(parts));
        }
        const QDBusMessage reply = bus.call(call, QDBus::Block, 20000);
        if (parts.first() == QStringLiteral("Create") && reply.type() == QDBusMessage::ReplyMessage)
            cursor = reply.arguments().first().value<QDBusObjectPath>().path();
        std::printf("%s\n", qPrintable(Text(reply)));
    }
    return 0;
}
