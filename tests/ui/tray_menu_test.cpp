// SPDX-License-Identifier: GPL-3.0-or-later
// The tray menu as a desktop's tray host reads it over the session bus (the test runs on an X
// display with a StatusNotifierWatcher, see tray_host/): tools added while the program runs
// appear in its "Tools" sub-menu without a restart, also after the host has shown the menu.
#include "desktop_window.h"

#include "shell/profile_file.h"
#include "ui/dialogs/option_pages.h"
#include "ui/shell/logic_form.h"
#include "ui/shell/main_form.h"

#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QIcon>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillary;

namespace {

// One entry of a menu as the dbusmenu protocol describes it.
struct MenuNode
{
    int id = 0;
    QVariantMap properties;
    QList<MenuNode> children;

    QString Label() const { return properties.value(QStringLiteral("label")).toString(); }
};

MenuNode ReadNode(const QDBusArgument& argument)
{
    MenuNode node;
    argument.beginStructure();
    argument >> node.id >> node.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        node.children << ReadNode(child.variant().value<QDBusArgument>());
    }
    argument.endArray();
    argument.endStructure();
    return node;
}

const MenuNode* Find(const MenuNode& node, const QString& label)
{
    if (node.Label() == label)
        return &node;
    for (const MenuNode& child : node.children)
        if (const MenuNode* found = Find(child, label))
            return found;
    return nullptr;
}

} // namespace

class TrayMenuTest : public QObject
{
    Q_OBJECT

    QDBusConnection m_host = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("host"));
    QString m_item;
    QList<int> m_updatedParents; // what the program announced as changed, by parent entry

public slots:
    void LayoutUpdated(uint, int parent) { m_updatedParents << parent; }

    QDBusMessage CallMenu(const QString& method, const QVariantList& arguments)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(m_item, QStringLiteral("/MenuBar"),
                                                           QStringLiteral("com.canonical.dbusmenu"), method);
        call.setArguments(arguments);
        // The program answers from this thread's event loop.
        QDBusPendingCall pending = m_host.asyncCall(call);
        if (!QTest::qWaitFor([&pending] { return pending.isFinished(); }, 10000))
            return {};
        return pending.reply();
    }

    // The whole menu, as a tray host fetches it before showing it.
    MenuNode Layout()
    {
        const QDBusMessage reply = CallMenu(QStringLiteral("GetLayout"), {0, -1, QStringList()});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() < 2)
            return {};
        return ReadNode(reply.arguments().at(1).value<QDBusArgument>());
    }

private slots:
    void toolsAddedWhileRunningReachTheHostsMenu()
    {
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/quillary.svg")));
        QTemporaryDir dir;
        TProfileFile settings(dir.filePath(QStringLiteral("kpx.ini")).toStdString());
        DesktopWindow form(settings, dir.filePath(QStringLiteral("zelk.dat")));
        TLogicForm logic(form);
        QVERIFY2(logic.HasTray(), "no tray host on this bus");

        QDBusInterface watcher(QStringLiteral("org.kde.StatusNotifierWatcher"),
                               QStringLiteral("/StatusNotifierWatcher"),
                               QStringLiteral("org.kde.StatusNotifierWatcher"), m_host);
        QTRY_VERIFY(!watcher.property("RegisteredStatusNotifierItems").toStringList().isEmpty());
        m_item = watcher.property("RegisteredStatusNotifierItems").toStringList().front();

        // The host shows the menu once: the Tools sub-menu is empty.
        const MenuNode before = Layout();
        const MenuNode* tools = Find(before, QStringLiteral("_Tools"));
        QVERIFY(tools);
        QVERIFY(tools->children.isEmpty());
        CallMenu(QStringLiteral("AboutToShow"), {tools->id});
        CallMenu(QStringLiteral("Event"),
                 {tools->id, QStringLiteral("opened"), QVariant::fromValue(QDBusVariant(0)), 0u});

        QVERIFY(m_host.connect(m_item, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                               QStringLiteral("LayoutUpdated"), this, SLOT(LayoutUpdated(uint, int))));
        // A tool added in the Options dialog.
        TOptionPages::PickFile = [](QWidget*, const QString&) { return QStringLiteral("/bin/sh"); };
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<TOptionPages*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QPushButton*>(QStringLiteral("NewToolBtn"))->click();
            dialog->accept();
        });
        form.OptionsItemClick();
        // A host reads again what the program says has changed: the sub-menu or the whole menu.
        const int toolsId = tools->id;
        QTRY_VERIFY(m_updatedParents.contains(toolsId) || m_updatedParents.contains(0));

        // What the host reads when the user opens the menu again.
        const MenuNode after = Layout();
        tools = Find(after, QStringLiteral("_Tools"));
        QVERIFY(tools);
        CallMenu(QStringLiteral("AboutToShow"), {tools->id});
        const MenuNode shown = Layout();
        tools = Find(shown, QStringLiteral("_Tools"));
        QVERIFY(tools);
        QCOMPARE(tools->children.size(), 1);
        QCOMPARE(tools->children.front().Label(), QStringLiteral("sh"));
    }
};

QTEST_MAIN(TrayMenuTest)
#include "tray_menu_test.moc"
