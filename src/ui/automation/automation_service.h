// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>

class QDBusServiceWatcher;

namespace quillary {

class AutomationCursor;
class AutomationHost;
class ItemTree;
class SyncCenter;

// The program's automation service: bus name "Zelk.Application", object "/". CreateObject makes a
// cursor for the caller and answers its object path; the cursor serves only that caller and
// lives until the caller releases it or leaves the bus. The tree and the host must outlive the
// service.
class AutomationService final : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "Zelk.Application")

public:
    AutomationService(ItemTree& tree, AutomationHost& host, QDBusConnection bus, QObject* parent = nullptr);
    ~AutomationService() override;

    // Exports the service object and takes the bus name; false (with the reason in ErrorText) when
    // either fails, for example because another copy holds the name.
    bool Register();
    QString ErrorText() const { return m_error; }
    int CursorCount() const { return static_cast<int>(m_cursors.size()); }
    // What Synchronize drives; none: the method answers that synchronisation is not offered.
    void SetSync(SyncCenter* sync) { m_sync = sync; }
    // Why the tree cannot be served yet (the data file is still being read), or empty when it can:
    // CreateObject and Synchronize then answer with that reason as an error, at once.
    void SetNotReady(std::function<QString()> why) { m_notReady = std::move(why); }

public slots:
    Q_SCRIPTABLE QDBusObjectPath CreateObject();
    Q_SCRIPTABLE void Release(const QDBusObjectPath& path);
    // Synchronizes every account as File, Synchronize does, and answers once the round is over
    // with the status bar's summary ("Synchronized: 3 in, 1 out", or the failure).
    Q_SCRIPTABLE QString Synchronize();

signals:
    void CursorCreated();
    // The last cursor was released (or its client left the bus).
    void LastReleased();

private:
    struct Client
    {
        std::unique_ptr<AutomationCursor> cursor;
        QString owner; // the caller's unique bus name
    };

    void ReleaseCursors(const QString& owner);
    // Answers the call with the reason the tree cannot be served yet; false when it can.
    bool RefusedAsNotReady();
    void Drop(std::map<QString, Client>::iterator it);

    ItemTree& m_tree;
    AutomationHost& m_host;
    QDBusConnection m_bus;
    QDBusServiceWatcher* m_watcher;
    SyncCenter* m_sync = nullptr;
    std::function<QString()> m_notReady;
    std::map<QString, Client> m_cursors; // by object path
    int m_lastNumber = 0;
    QString m_error;
};

} // namespace quillary
