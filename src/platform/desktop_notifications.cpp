// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/desktop_notifications.h"

#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace quillary {

namespace {
const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
// The installed icon and desktop entry, so the desktop shows and groups the notifications as the
// program's own.
const QString AppId = QStringLiteral("org.quillary.Quillary");

// A service that reads markup in the body would take a title's "<b>" or "&amp;" for markup.
QString BodyFor(const QStringList& capabilities, const QString& body)
{
    return capabilities.contains(QStringLiteral("body-markup")) ? body.toHtmlEscaped() : body;
}

template <typename Reply, typename Done> void WhenAnswered(QObject* context, const QDBusPendingCall& call, Done&& done)
{
    auto* watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done = std::forward<Done>(done)](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         done(Reply(*finished));
                     });
}
} // namespace

DesktopNotifications::DesktopNotifications(QDBusConnection bus, QObject* parent) : QObject(parent), m_bus(bus)
{
    m_bus.connect(Service, Path, Interface, QStringLiteral("ActionInvoked"), this,
                  SLOT(OnActionInvoked(uint, QString)));
    m_bus.connect(Service, Path, Interface, QStringLiteral("NotificationClosed"), this, SLOT(OnClosed(uint, uint)));
}

void DesktopNotifications::Show(const QString& summary, const QString& body, const QList<Action>& actions,
                                std::function<void(uint id)> shown)
{
    if (!m_bus.isConnected()) {
        Unavailable(QStringLiteral("no session bus"));
        return;
    }
    // Asked each time: the user may change or restart the notification service while we run.
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("GetCapabilities"));
    WhenAnswered<QDBusPendingReply<QStringList>>(
        this, m_bus.asyncCall(ask), [this, summary, body, actions, shown](const QDBusPendingReply<QStringList>& reply) {
            if (reply.isError())
                Unavailable(reply.error().message());
            else
                Notify(reply.value(), summary, body, actions, shown);
        });
}

void DesktopNotifications::Notify(const QStringList& capabilities, const QString& summary, const QString& body,
                                  const QList<Action>& actions, std::function<void(uint id)> shown)
{
    QStringList offered;
    if (capabilities.contains(QStringLiteral("actions")))
        for (const Action& action : actions)
            offered << action.key << action.label;
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), AppId);
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
    call << QStringLiteral("Quillary") << 0u << AppId << summary << BodyFor(capabilities, body) << offered << hints
         << -1;
    WhenAnswered<QDBusPendingReply<uint>>(this, m_bus.asyncCall(call),
                                          [this, shown](const QDBusPendingReply<uint>& reply) {
                                              if (reply.isError())
                                                  Unavailable(reply.error().message());
                                              else if (shown)
                                                  shown(reply.value());
                                          });
}

void DesktopNotifications::Unavailable(const QString& why)
{
    // Said once on the error output: a desktop without notifications is no fault of the user's.
    if (!m_toldUnavailable)
        qInfo("Desktop notifications are not shown: %s", qPrintable(why));
    m_toldUnavailable = true;
}

void DesktopNotifications::OnActionInvoked(uint id, const QString& key)
{
    emit ActionInvoked(id, key);
}

void DesktopNotifications::OnClosed(uint id, uint)
{
    emit Closed(id);
}

} // namespace quillary
