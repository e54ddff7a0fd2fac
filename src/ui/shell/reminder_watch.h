// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace quillary {

class DayWatch;
class DueNoticeLog;
class DesktopNotifications;
class TKPXObject;
class TMainForm;
class TProfileFile;

// Reminders that reach the user while the program runs, in the tray too: on a new day (midnight,
// a resume, a clock set on) the due markers are worked out again and the views follow, and the
// reminders that came due are told in one desktop notification, at start-up too. Its actions:
// "Open" brings the main window up showing the reminder, "Advance" moves the reminder's date as
// the list's Advance Date does. The setting in the settings file turns the notifications off.
class ReminderWatch final : public QObject
{
    Q_OBJECT

public:
    // bringUp shows the main window and brings it to the front (as the tray's Restore does).
    ReminderWatch(TMainForm& mainForm, TProfileFile& settings, std::function<void()> bringUp,
                  QDBusConnection sessionBus, QDBusConnection systemBus, QObject* parent = nullptr);
    ~ReminderWatch() override;

    DayWatch& Day() { return *m_day; }

public slots:
    // The markers after a change of day, then the notification of what came due.
    void NewDay();
    // Tells the due reminders not told yet, when the setting allows.
    void NotifyUntold();

private:
    void ActionInvoked(uint id, const QString& key);
    std::vector<TKPXObject*> FindAgain(const std::vector<std::int32_t>& ids) const;

    TMainForm& m_main;
    TProfileFile& m_settings;
    std::function<void()> m_bringUp;
    DayWatch* m_day;
    DesktopNotifications* m_notifications;
    std::unique_ptr<DueNoticeLog> m_log;
    // The reminders each shown notification stands for, by the service's number.
    std::map<uint, std::vector<std::int32_t>> m_shown;
};

} // namespace quillary
