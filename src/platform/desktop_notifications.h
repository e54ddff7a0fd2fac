// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace quillary {

// The desktop's notification service (org.freedesktop.Notifications on the session bus). A
// desktop without one loses nothing but the notifications: Show then does nothing and no error
// reaches the user.
class DesktopNotifications final : public QObject
{
    Q_OBJECT

public:
    struct Action
    {
        QString key;   // what ActionInvoked hands back
        QString label; // what the user reads
    };

    explicit DesktopNotifications(QDBusConnection bus, QObject* parent = nullptr);

    // Shows a notification of the program. The actions are offered only when the service can show
    // them; shown gets the service's number for the notification once it stands.
    void Show(const QString& summary, const QString& body, const QList<Action>& actions,
              std::function<void(uint id)> shown);

signals:
    void ActionInvoked(uint id, const QString& key);
    void Closed(uint id);

private slots:
    void OnActionInvoked(uint id, const QString& key);
    void OnClosed(uint id, uint reason);

private:
    void Notify(const QStringList& capabilities, const QString& summary, const QString& body,
                const QList<Action>& actions, std::function<void(uint id)> shown);
    void Unavailable(const QString& why);

    QDBusConnection m_bus;
    bool m_toldUnavailable = false;
};

} // namespace quillary
