// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/reminder_watch.h"

#include "common/clock.h"
#include "model/due_notices.h"
#include "model/due_reminders.h"
#include "model/item_tree.h"
#include "model/items_reminder.h"
#include "platform/day_watch.h"
#include "platform/desktop_notifications.h"
#include "shell/options_values.h"
#include "ui/shell/contact_document.h"
#include "ui/shell/main_form.h"
#include "ui/text_codec.h"

#include <QTimer>

namespace quillary {

namespace {
const QString OpenKey = QStringLiteral("open");
const QString AdvanceKey = QStringLiteral("advance");
// What a click on the notification itself does, where the desktop offers that.
const QString DefaultKey = QStringLiteral("default");
} // namespace

ReminderViews WindowShowingReminders(TMainForm& window, std::function<void()> bringUp)
{
    return {std::move(bringUp), [&window] { window.FoldersChange(window.SelectedNode()); },
            [&window](const std::vector<TKPXObject*>& reminders) { window.ShowItems(reminders); }};
}

ReminderWatch::ReminderWatch(ContactDocument& document, TProfileFile& settings, ReminderViews views,
                             QDBusConnection sessionBus, QDBusConnection systemBus, QObject* parent)
    : QObject(parent), m_document(document), m_settings(settings), m_views(std::move(views)),
      m_day(new DayWatch(*document.Tree().Services().clock, systemBus, this)),
      m_notifications(new DesktopNotifications(sessionBus, this)), m_log(std::make_unique<DueNoticeLog>())
{
    connect(m_day, &DayWatch::DayChanged, this, &ReminderWatch::NewDay);
    connect(m_notifications, &DesktopNotifications::ActionInvoked, this, &ReminderWatch::ActionInvoked);
    connect(m_notifications, &DesktopNotifications::Closed, this, [this](uint id) { m_shown.erase(id); });
    m_recheck = new QTimer(this);
    m_recheck->setSingleShot(true);
    m_recheck->setInterval(1000);
    connect(m_recheck, &QTimer::timeout, this, &ReminderWatch::CheckNewlyDue);
    m_document.Tree().AddObserver(this);
    // What is due at start-up is told once the program runs, in one notification.
    QTimer::singleShot(0, this, &ReminderWatch::NotifyUntold);
}

ReminderWatch::~ReminderWatch()
{
    m_document.Tree().RemoveObserver(this);
}

void ReminderWatch::NodeAdded(TreeNode&)
{
    m_recheck->start();
}

void ReminderWatch::NodeChanged(TreeNode&)
{
    m_recheck->start();
}

void ReminderWatch::DetailsChanged(TreeNode&)
{
    m_recheck->start();
}

int ReminderWatch::DueCount() const
{
    int count = 0;
    for (const TreeNode* node = m_document.Tree().Root().FirstChild(); node; node = node->NextSibling())
        count += node->FlagCount();
    return count;
}

void ReminderWatch::CheckNewlyDue()
{
    if (DueCount() > m_dueCount)
        NotifyUntold();
    m_dueCount = DueCount();
}

void ReminderWatch::NewDay()
{
    if (!RefreshDueMarkers(m_document.Tree()).empty())
        m_views.refresh(); // the list's pictures and the status follow
    NotifyUntold();
}

void ReminderWatch::NotifyUntold()
{
    // Reminders that came due while notifications were off count as told: turning them on later
    // does not bring a flood of old news.
    const std::vector<TReminderObject*> untold = m_log->TakeUntold(m_document.Tree());
    m_dueCount = DueCount();
    if (untold.empty() || !ReminderNotificationsOn(m_settings))
        return;
    const DueNotice notice = ComposeDueNotice(untold);
    QList<DesktopNotifications::Action> actions{{DefaultKey, QStringLiteral("Open")},
                                                {OpenKey, QStringLiteral("Open")}};
    // Advancing several dates with one click would move dates the user has not looked at.
    if (untold.size() == 1)
        actions.append({AdvanceKey, QStringLiteral("Advance")});
    m_notifications->Show(FromField(notice.summary), FromField(notice.body), actions,
                          [this, reminders = notice.reminders](uint id) { m_shown[id] = reminders; });
}

std::vector<TKPXObject*> ReminderWatch::FindAgain(const std::vector<std::int32_t>& ids) const
{
    std::vector<TKPXObject*> found;
    for (const std::int32_t id : ids)
        if (TReminderObject* reminder = FindReminder(m_document.Tree(), id))
            found.push_back(reminder);
    return found;
}

void ReminderWatch::ActionInvoked(uint id, const QString& key)
{
    const auto shown = m_shown.find(id);
    if (shown == m_shown.end())
        return; // another program's notification, or one of an earlier run
    // The user may have deleted or moved the reminders since; they are found again by identifier.
    const std::vector<TKPXObject*> reminders = FindAgain(shown->second);
    if (key == OpenKey || key == DefaultKey) {
        m_views.bringUp();
        m_views.show(reminders);
    } else if (key == AdvanceKey && reminders.size() == 1) {
        reminders.front()->AdvanceDate();
    }
}

} // namespace quillary
