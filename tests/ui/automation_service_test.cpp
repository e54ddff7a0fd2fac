// SPDX-License-Identifier: GPL-3.0-or-later
// The automation service on a real session bus (the test runs under dbus-run-session): the
// service and its clients use separate connections, as separate programs would.
#include "desktop_window.h"

#include "automation/automation_members.h"
#include "model/create_item.h"
#include "model/item_tree.h"
#include "model/tree_node.h"
#include "shell/profile_file.h"
#include "ui/automation/automation_lifetime.h"
#include "ui/automation/automation_service.h"
#include "ui/automation/main_form_automation_host.h"
#include "ui/shell/main_form.h"
#include "ui/text_codec.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <atomic>
#include <chrono>
#include <map>
#include <thread>

using namespace quillary;

namespace {

const QString Cursor = QStringLiteral("Zelk.Application.Cursor");

const QByteArray SampleData = "{Params}\r\n"
                              "{0 11 }My Contacts~~~~~~32892645\r\n"
                              "{1 0 }Friends~~~~~~41\r\n{Fold}0\r\n"
                              "{2 6 }Club~~555-0111~~~~50\r\n{Phon}~~0\r\n";

QDBusConnection Connect(const QString& name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

// Blocks while the service, which lives in this same thread, answers.
QDBusMessage Call(QDBusConnection& bus, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& args = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("Zelk.Application"), path, interface, method);
    message.setArguments(args);
    return bus.call(message, QDBus::BlockWithGui, 10000);
}

QVariant Answer(const QDBusMessage& reply)
{
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() ? reply.arguments().first()
                                                                                      : QVariant();
}

QString CreateObject(QDBusConnection& bus)
{
    return Answer(Call(bus, QStringLiteral("/"), QStringLiteral("Zelk.Application"), QStringLiteral("CreateObject")))
        .value<QDBusObjectPath>()
        .path();
}

} // namespace

class AutomationServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QFile data(m_dir->filePath(QStringLiteral("zelk.dat")));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write(SampleData);
        data.close();
        m_settings = std::make_unique<TProfileFile>(m_dir->filePath(QStringLiteral("kpx.ini")).toStdString());
        m_form = std::make_unique<DesktopWindow>(*m_settings, data.fileName());
        m_host = std::make_unique<MainFormAutomationHost>(*m_form);
        m_service = std::make_unique<AutomationService>(m_form->Tree(), *m_host, Connect(QStringLiteral("service")));
        QVERIFY2(m_service->Register(), qPrintable(m_service->ErrorText()));
    }

    void cleanup()
    {
        m_service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        m_host.reset();
        m_form.reset();
    }

    void aCursorReadsMovesAndWrites()
    {
        QDBusConnection client = Connect(QStringLiteral("client"));
        const QString path = CreateObject(client);
        QVERIFY(path.startsWith(QStringLiteral("/Zelk/Application/Cursor/")));
        const auto call = [&](const char* method, const QVariantList& args = {}) {
            return Call(client, path, Cursor, QString::fromLatin1(method), args);
        };
        QCOMPARE(Answer(call("CurrentItemIndex")).toInt(), 0);
        QCOMPARE(Answer(call("zelkTitle")).toString(), QStringLiteral("My Contacts"));
        QCOMPARE(Answer(call("ItemCount")).toInt(), 2);
        QCOMPARE(Answer(call("Items", {2})).toBool(), false);
        QVERIFY(Answer(call("ItemWithId", {50})).toBool());
        QCOMPARE(Answer(call("zelkClass")).toInt(), 6);
        QCOMPARE(Answer(call("zelkTarget")).toString(), QStringLiteral("555-0111"));

        QVERIFY(Answer(call("Items", {1})).toBool());
        call("SetzelkTitle", {QStringLiteral("Freunde \u00e4")});
        QCOMPARE(m_form->Tree().Root().FirstChild()->Text(), ToField(QStringLiteral("Freunde \u00e4")));
        QCOMPARE(Answer(call("zelkTitle")).toString(), QStringLiteral("Freunde \u00e4"));

        const QDBusMessage inserted = call(
            "Insert", {6, QStringLiteral("Desk"), QStringLiteral("555 0000"), QString(), QStringLiteral("{Phon}7~~0")});
        QCOMPARE(inserted.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(Answer(call("ChildCount")).toInt(), 2);
        bool found = false;
        for (int i = 0; i < 2 && !found; ++i) {
            QVERIFY(Answer(call("Child", {i})).toBool());
            found = Answer(call("zelkTitle")).toString() == QStringLiteral("Desk");
        }
        QVERIFY(found);
        QCOMPARE(Answer(call("zelkField", {QStringLiteral("Extension")})).toString(), QStringLiteral("\"7\","));

        const QDBusMessage refused = call("Insert", {40, QStringLiteral("Odd"), QString(), QString(), QString()});
        QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
        QCOMPARE(refused.errorName(), QStringLiteral("Zelk.Application.Error"));
        QVERIFY(!refused.errorMessage().isEmpty());
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    // While the data file is still read, every call that would reach the tree is answered at once
    // with the reason; afterwards the same client is served.
    void nothingIsServedBeforeTheTreeIsReady()
    {
        bool ready = false;
        m_service->SetNotReady(
            [&ready] { return ready ? QString() : QStringLiteral("Quillary is still reading its data file"); });
        QDBusConnection client = Connect(QStringLiteral("client"));
        for (const char* method : {"CreateObject", "Synchronize"}) {
            const QDBusMessage refused =
                Call(client, QStringLiteral("/"), QStringLiteral("Zelk.Application"), QString::fromLatin1(method));
            QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(refused.errorName(), QStringLiteral("Zelk.Application.Error"));
            QCOMPARE(refused.errorMessage(), QStringLiteral("Quillary is still reading its data file"));
        }
        QCOMPARE(m_service->CursorCount(), 0);
        ready = true;
        QVERIFY(CreateObject(client).startsWith(QStringLiteral("/Zelk/Application/Cursor/")));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    void releaseEndsTheCursorForItsOwnerOnly()
    {
        QDBusConnection client = Connect(QStringLiteral("client"));
        QDBusConnection other = Connect(QStringLiteral("other"));
        const QString first = CreateObject(client);
        const QString second = CreateObject(client);
        QVERIFY(first != second);
        QCOMPARE(m_service->CursorCount(), 2);
        QSignalSpy last(m_service.get(), &AutomationService::LastReleased);
        const auto release = [&](QDBusConnection& bus, const QString& path) {
            return Call(bus, QStringLiteral("/"), QStringLiteral("Zelk.Application"), QStringLiteral("Release"),
                        {QVariant::fromValue(QDBusObjectPath(path))});
        };
        QCOMPARE(release(other, first).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(release(client, first).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(m_service->CursorCount(), 1);
        QCOMPARE(Call(client, first, Cursor, QStringLiteral("zelkTitle")).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(last.count(), 0);
        QCOMPARE(release(client, second).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(last.count(), 1);
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("other"));
    }

    void aClientLeavingTheBusReleasesItsCursors()
    {
        QSignalSpy last(m_service.get(), &AutomationService::LastReleased);
        {
            QDBusConnection leaver = Connect(QStringLiteral("leaver"));
            CreateObject(leaver);
            CreateObject(leaver);
        }
        QCOMPARE(m_service->CursorCount(), 2);
        QDBusConnection::disconnectFromBus(QStringLiteral("leaver"));
        QTRY_COMPARE(m_service->CursorCount(), 0);
        QCOMPARE(last.count(), 1);
    }

    void introspectionNamesEveryMemberWithItsDispatchId()
    {
        QDBusConnection client = Connect(QStringLiteral("client"));
        const QString path = CreateObject(client);
        const QString xml = Answer(Call(client, path, QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                        QStringLiteral("Introspect")))
                                .toString();
        std::map<QString, QString> dispatchIds; // method name -> annotated identifier
        QXmlStreamReader reader(xml);
        QString method;
        while (!reader.atEnd()) {
            if (reader.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QXmlStreamAttributes attributes = reader.attributes();
            if (reader.name() == QLatin1String("method"))
                method = attributes.value(QLatin1String("name")).toString();
            else if (reader.name() == QLatin1String("annotation") &&
                     attributes.value(QLatin1String("name")) == QLatin1String("Zelk.Application.DispatchId"))
                dispatchIds[method] = attributes.value(QLatin1String("value")).toString();
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        for (const AutomationMember& member : AutomationMembers()) {
            const QString name = QString::fromLatin1(member.name.data(), static_cast<qsizetype>(member.name.size()));
            QCOMPARE(dispatchIds[name], QString::number(member.dispid));
            const bool writable =
                member.kind == MemberKind::ReadWriteProperty || member.kind == MemberKind::ReadWriteIndexedProperty;
            QCOMPARE(dispatchIds.count(QStringLiteral("Set") + name), writable ? 1U : 0U);
        }
        // The annotated methods are exactly the ones that answer: a write goes through.
        QCOMPARE(Answer(Call(client, path, Cursor, QStringLiteral("SetzelkComment"), {QStringLiteral("noted")})),
                 QVariant());
        QCOMPARE(Answer(Call(client, path, Cursor, QStringLiteral("zelkComment"))).toString(), QStringLiteral("noted"));
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    void onlyTheCursorsMakerMayUseIt()
    {
        QDBusConnection client = Connect(QStringLiteral("client"));
        QDBusConnection stranger = Connect(QStringLiteral("stranger"));
        const QString path = CreateObject(client);
        QVERIFY(Answer(Call(client, path, Cursor, QStringLiteral("Items"), {1})).toBool());
        for (const auto& [method, args] : std::map<QString, QVariantList>{
                 {QStringLiteral("zelkTitle"), {}},
                 {QStringLiteral("Items"), {0}},
                 {QStringLiteral("SetzelkTitle"), {QStringLiteral("Taken")}},
                 {QStringLiteral("Insert"), {0, QStringLiteral("Planted"), QString(), QString(), QString()}},
                 {QStringLiteral("DoDefaultAction"), {}}}) {
            const QDBusMessage refused = Call(stranger, path, Cursor, method, args);
            QCOMPARE(refused.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(refused.errorName(), QStringLiteral("Zelk.Application.Error"));
        }
        // Nothing the stranger asked for happened: the owner's cursor still stands on Friends.
        QCOMPARE(Answer(Call(client, path, Cursor, QStringLiteral("CurrentItemIndex"))).toInt(), 1);
        QCOMPARE(Answer(Call(client, path, Cursor, QStringLiteral("zelkTitle"))).toString(), QStringLiteral("Friends"));
        QCOMPARE(Answer(Call(client, path, Cursor, QStringLiteral("ChildCount"))).toInt(), 1);
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("stranger"));
    }

    // A reminder's default action is its modal dialog: the caller must not wait on the user.
    void theDefaultActionAnswersBeforeItsDialogAndSurvivesARelease()
    {
        CreateItem(9, "Renew", "", "", m_form->Tree().Root(), "{Remd}2030,1,15,5~~0", 77);
        QDBusConnection client = Connect(QStringLiteral("client"));
        const QString path = CreateObject(client);
        QVERIFY(Answer(Call(client, path, Cursor, QStringLiteral("ItemWithId"), {77})).toBool());

        std::atomic<int> replyType = -1;
        std::thread caller([&] {
            QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("Zelk.Application"), path, Cursor,
                                                                  QStringLiteral("DoDefaultAction"));
            replyType = client.call(message, QDBus::Block, 10000).type();
        });
        bool answeredWhileOpen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog || replyType == -1)
                return;
            poll.stop();
            answeredWhileOpen = replyType == QDBusMessage::ReplyMessage;
            // The client lets its cursor go while the dialog is still open: the cursor must
            // outlive the call it is in.
            QDBusMessage release =
                QDBusMessage::createMethodCall(QStringLiteral("Zelk.Application"), QStringLiteral("/"),
                                               QStringLiteral("Zelk.Application"), QStringLiteral("Release"));
            release.setArguments({QVariant::fromValue(QDBusObjectPath(path))});
            client.asyncCall(release);
            QTRY_COMPARE(m_service->CursorCount(), 0);
            dialog->close();
        });
        poll.start(20);
        QTRY_VERIFY_WITH_TIMEOUT(replyType != -1 && !QApplication::activeModalWidget(), 20000);
        caller.join();
        QVERIFY(answeredWhileOpen);
        QCOMPARE(m_service->CursorCount(), 0);
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    }

    void aCopyStartedForClientsEndsWhenTheyAreDoneUnlessTheUserTookIt()
    {
        using namespace std::chrono_literals;
        {
            AutomationLifetime idle(*m_service, 50ms);
            QSignalSpy end(&idle, &AutomationLifetime::EndRequested);
            QVERIFY(end.wait(5000)); // no client ever took a cursor
        }
        {
            AutomationLifetime used(*m_service, 300ms);
            QSignalSpy end(&used, &AutomationLifetime::EndRequested);
            QDBusConnection client = Connect(QStringLiteral("client"));
            const QString path = CreateObject(client);
            QVERIFY(!end.wait(600)); // a cursor is held: idle time does not count
            Call(client, QStringLiteral("/"), QStringLiteral("Zelk.Application"), QStringLiteral("Release"),
                 {QVariant::fromValue(QDBusObjectPath(path))});
            QTRY_COMPARE(end.count(), 1);
            QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        }
        {
            AutomationLifetime adopted(*m_service, 50ms);
            QSignalSpy end(&adopted, &AutomationLifetime::EndRequested);
            adopted.AdoptByUser();
            QDBusConnection client = Connect(QStringLiteral("client"));
            const QString path = CreateObject(client);
            Call(client, QStringLiteral("/"), QStringLiteral("Zelk.Application"), QStringLiteral("Release"),
                 {QVariant::fromValue(QDBusObjectPath(path))});
            QVERIFY(!end.wait(300));
            QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        }
    }

    void aSecondServiceCannotTakeTheName()
    {
        AutomationService second(m_form->Tree(), *m_host, Connect(QStringLiteral("second")));
        QVERIFY(!second.Register());
        QVERIFY(second.ErrorText().contains(QStringLiteral("Zelk.Application")));
        QDBusConnection::disconnectFromBus(QStringLiteral("second"));
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TProfileFile> m_settings;
    std::unique_ptr<TMainForm> m_form;
    std::unique_ptr<MainFormAutomationHost> m_host;
    std::unique_ptr<AutomationService> m_service;
};

QTEST_MAIN(AutomationServiceTest)
#include "automation_service_test.moc"
