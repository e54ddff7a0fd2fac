// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/tree_observer.h"

#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QTimer;

namespace quillary {

class ContactDocument;
class DayWatch;
class DueNoticeLog;
class DesktopNotifications;
class TKPXObject;
class TMainForm;
class TProfileFile;

// Where the reminders a watch tells about are shown.
struct ReminderViews
{
    std::function<void()> bringUp; // shows the main window in front (as the tray's Restore does)
    std::function<void()> refresh; // the views read the due markers afresh
    std::function<void(const std::vector<TKPXObject*>&)> show;
};

// The main window as the place that shows reminders; bringUp as in ReminderViews.
ReminderViews WindowShowingReminders(TMainForm& window, std::function<void()> bringUp);

// Reminders that reach the user while the program runs, in the tray too: on a new day (midnight,
// a resume, a clock set on) the due markers are worked out again and the views follow, and the
// reminders that came due are told in one desktop notification, at start-up too. Its actions:
// "Open" brings the main window up showing the reminder, "Advance" moves the reminder's date as
// the list's Advance Date does. The setting in the settings file turns the notifications off.
class ReminderWatch final : public QObject, private TreeObserver
{
    Q_OBJECT

public:
    ReminderWatch(ContactDocument& document, TProfileFile& settings, ReminderViews views,
                  QDBusConnection sessionBus, QDBusConnection systemBus, QObject* parent = nullptr);
    ~ReminderWatch() override;

    DayWatch& Day() { return *m_day; }

public slots:
    // The markers after a change of day, then the notification of what came due.
    void NewDay();
    // Tells the due reminders not told yet, when the setting allows.
    void NotifyUntold();

private:
    // A change may have made a reminder due (one made for today, a date moved to today): once
    // the changes rest, the due markers are counted, and only more of them than before are told.
    void NodeAdded(TreeNode& node) override;
    void NodeChanged(TreeNode& node) override;
    void DetailsChanged(TreeNode& owner) override;
    void CheckNewlyDue();
    int DueCount() const;
    void ActionInvoked(uint id, const QString& key);
    std::vector<TKPXObject*> FindAgain(const std::vector<std::int32_t>& ids) const;

    ContactDocument& m_document;
    TProfileFile& m_settings;
    ReminderViews m_views;
    DayWatch* m_day;
    DesktopNotifications* m_notifications;
    std::unique_ptr<DueNoticeLog> m_log;
    // The reminders each shown notification stands for, by the service's number.
    std::map<uint, std::vector<std::int32_t>> m_shown;
    QTimer* m_recheck = nullptr;
    int m_dueCount = 0; // the due markers when the due reminders were last told
};

} // namespace quillary
