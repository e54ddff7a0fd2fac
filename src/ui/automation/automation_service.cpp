// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/automation/automation_service.h"

#include "automation/automation_members.h"
#include "ui/automation/automation_cursor.h"
#include "ui/sync/sync_center.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusServiceWatcher>

#include <algorithm>
#include <memory>

namespace quillary {

namespace {
const QString ErrorName = QStringLiteral("Zelk.Application.Error");
const QString CursorPathPrefix = QStringLiteral("/Zelk/Application/Cursor/");
} // namespace

AutomationService::AutomationService(ItemTree& tree, AutomationHost& host, QDBusConnection bus, QObject* parent)
    : QObject(parent), m_tree(tree), m_host(host), m_bus(std::move(bus)),
      m_watcher(new QDBusServiceWatcher(QString(), m_bus, QDBusServiceWatcher::WatchForUnregistration, this))
{
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, &AutomationService::ReleaseCursors);
}

AutomationService::~AutomationService()
{
    for (const auto& [path, client] : m_cursors)
        m_bus.unregisterObject(path);
}

bool AutomationService::Register()
{
    const QString name = QString::fromUtf8(AutomationName.data(), static_cast<qsizetype>(AutomationName.size()));
    if (!m_bus.isConnected()) {
        m_error = QStringLiteral("no session bus: ") + m_bus.lastError().message();
        return false;
    }
    if (!m_bus.registerObject(QStringLiteral("/"), this, QDBusConnection::ExportScriptableSlots)) {
        m_error = QStringLiteral("the object \"/\" is taken");
        return false;
    }
    if (!m_bus.registerService(name)) {
        m_error = QStringLiteral("the name %1 is taken: %2").arg(name, m_bus.lastError().message());
        m_bus.unregisterObject(QStringLiteral("/"));
        return false;
    }
    return true;
}

bool AutomationService::RefusedAsNotReady()
{
    const QString why = m_notReady ? m_notReady() : QString();
    if (why.isEmpty())
        return false;
    if (calledFromDBus())
        sendErrorReply(ErrorName, why);
    return true;
}

QDBusObjectPath AutomationService::CreateObject()
{
    if (RefusedAsNotReady())
        return {};
    const QString path = CursorPathPrefix + QString::number(++m_lastNumber);
    const QString owner = message().service();
    auto cursor = std::make_unique<AutomationCursor>(m_tree, m_host, owner);
    if (!m_bus.registerObject(path, cursor.get(), QDBusConnection::ExportScriptableSlots)) {
        sendErrorReply(ErrorName, QStringLiteral("the cursor could not be made"));
        return {};
    }
    m_watcher->addWatchedService(owner);
    m_cursors[path] = Client{std::move(cursor), owner};
    emit CursorCreated();
    return QDBusObjectPath(path);
}

QString AutomationService::Synchronize()
{
    if (RefusedAsNotReady())
        return {};
    if (!m_sync)
        return QStringLiteral("Synchronization is not offered by this copy of Quillary");
    if (!m_sync->IsRunning())
        m_sync->SyncNow();
    if (!m_sync->IsRunning() || !calledFromDBus())
        return m_sync->StatusText();
    // The answer waits for the round; the program goes on meanwhile.
    setDelayedReply(true);
    const QDBusMessage call = message();
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection = connect(m_sync, &SyncCenter::RoundFinished, this, [this, call, connection] {
        if (m_sync->IsRunning())
            return;
        disconnect(*connection);
        m_bus.send(call.createReply(m_sync->StatusText()));
    });
    return {};
}

void AutomationService::Release(const QDBusObjectPath& path)
{
    // Only the client that made a cursor may release it.
    const auto it = m_cursors.find(path.path());
    if (it == m_cursors.end() || it->second.owner != message().service()) {
        sendErrorReply(ErrorName, QStringLiteral("no cursor of yours at %1").arg(path.path()));
        return;
    }
    Drop(it);
}

void AutomationService::ReleaseCursors(const QString& owner)
{
    for (auto it = m_cursors.begin(); it != m_cursors.end();) {
        const auto next = std::next(it);
        if (it->second.owner == owner)
            Drop(it);
        it = next;
    }
}

void AutomationService::Drop(std::map<QString, Client>::iterator it)
{
    const QString owner = it->second.owner;
    m_bus.unregisterObject(it->first);
    // A cursor may be released from inside its own call (a dialog's event loop): it then goes
    // when that call has ended.
    it->second.cursor.release()->DeleteWhenIdle();
    m_cursors.erase(it);
    const bool ownerHasMore =
        std::any_of(m_cursors.begin(), m_cursors.end(), [&](const auto& entry) { return entry.second.owner == owner; });
    if (!ownerHasMore)
        m_watcher->removeWatchedService(owner);
    if (m_cursors.empty())
        emit LastReleased();
}

} // namespace quillary
