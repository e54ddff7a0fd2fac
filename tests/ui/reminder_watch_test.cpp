// SPDX-License-Identifier: GPL-3.0-or-later
// Reminders reaching the user while the program runs, on a session bus of the test's own (it runs
// under dbus-run-session): a fake notification service on a connection of its own, as the
// desktop's would be, and a clock the test moves across midnight.
// moc cannot parse the standard <compare> header that the date type needs.
#ifndef Q_MOC_RUN
#include "support/fake_services.h"

#include "model/create_item.h"
#include "model/due_reminders.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_reminder.h"
#endif
#include "main_window_fixture.h"
#include "platform/day_watch.h"
#include "shell/options_values.h"
#include "shell/profile_file.h"
#include "ui/questions.h"
#include "ui/shell/item_list_model.h"
#include "ui/shell/main_form.h"
#include "ui/shell/reminder_watch.h"

#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace quillary;

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");

// Today is 8 December 2026 at start: "Call" and "Old" are due, "Party" comes due tomorrow and
// "Trip" a week later.
const QByteArray Sample = "{Params}\r\n"
                          "{0 11 }My Contacts~~~~~~32892645\r\n"
                          "{1 3 }Ann~~~~~~41\r\n{Pers}~~~~~~~~~~~~~~~~0\r\n"
                          "{2 9 }Call~~~~~~51\r\n{Remd}2026,12,8,0~~0\r\n"
                          "{2 9 }Party~~~~~~52\r\n{Remd}2026,12,9,3~~0\r\n"
                          "{1 3 }Bob~~~~~~42\r\n{Pers}~~~~~~~~~~~~~~~~0\r\n"
                          "{2 9 }Old <b>&</b>~~~~~~53\r\n{Remd}2025,3,1,0~~0\r\n"
                          "{2 9 }Trip~~~~~~54\r\n{Remd}2026,12,15,0~~0\r\n";

// The state image of a node with due items below it.
constexpr int DueMarker = 1;

struct NotifyCall
{
    QString appName;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
};

// The desktop's notification service as far as the program uses it.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList capabilities{QStringLiteral("actions"), QStringLiteral("body"), QStringLiteral("body-markup")};
    QList<NotifyCall> calls;

public slots:
    QStringList GetCapabilities() { return capabilities; }
    uint Notify(const QString& appName, uint, const QString& icon, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int)
    {
        calls.append({appName, icon, summary, body, actions, hints});
        return static_cast<uint>(100 + calls.size());
    }
};

QDBusConnection Connect(const QString& name)
{
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

} // namespace

class ReminderWatchTest : public QObject
{
    Q_OBJECT

    MainWindowFixture m_window;
    TMainForm* m_form = nullptr;
    TProfileFile* m_settings = nullptr;
    std::unique_ptr<ReminderWatch> m_watch;
    test::FixedClock m_clock;
    FakeNotifications m_fake;
    QDBusConnection m_desktop = Connect(QStringLiteral("desktop"));
    QStringList m_boxes;

    void Start(bool withService = true)
    {
        if (withService) {
            QVERIFY(m_desktop.registerObject(Path, &m_fake, QDBusConnection::ExportAllSlots));
            QVERIFY(m_desktop.registerService(Service));
        }
        m_window.Open(Sample, {}, &m_clock);
        m_form = m_window.form.get();
        m_settings = m_window.settings.get();
        m_form->hide();
        // The session bus stands in for the system bus, where logind would announce a resume.
        m_watch = std::make_unique<ReminderWatch>(
            m_form->Document(), *m_settings, WindowShowingReminders(*m_form, [this] { m_form->show(); }),
            QDBusConnection::sessionBus(), QDBusConnection::sessionBus());
    }

    TReminderObject& Reminder(const char* title)
    {
        for (TReminderObject* reminder : AllReminders(m_form->Tree()))
            if (reminder->GetTitle() == title)
                return *reminder;
        qFatal("no reminder %s", title);
    }

    void Invoke(uint id, const QString& key)
    {
        QDBusMessage signal = QDBusMessage::createSignal(Path, Service, QStringLiteral("ActionInvoked"));
        signal << id << key;
        QVERIFY(m_desktop.send(signal));
    }

    QImage PartyPicture()
    {
        const QModelIndex entry = m_form->ListModel().index(m_form->ListModel().RowOf(&Reminder("Party")), 0);
        return entry.data(Qt::DecorationRole).value<QIcon>().pixmap(16).toImage();
    }

    void NewDay(CivilDate today)
    {
        m_clock.today = today;
        m_watch->Day().Check(); // what the midnight and minute timers call
    }

private slots:
    void init()
    {
        m_clock.today = {2026, 12, 8};
        m_fake.calls.clear();
        m_boxes.clear();
        Questions::SetHook([this](const QString& caption, const QString& text) {
            m_boxes << caption + QLatin1Char('|') + text;
            return QMessageBox::Ok;
        });
    }

    void cleanup()
    {
        m_watch.reset();
        m_window.form.reset();
        m_desktop.unregisterService(Service);
        m_desktop.unregisterObject(Path);
        Questions::SetHook({});
    }

    void startUpTellsAllDueRemindersInOneNotification()
    {
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        const NotifyCall& call = m_fake.calls.front();
        QCOMPARE(call.appName, QStringLiteral("Quillary"));
        QCOMPARE(call.icon, QStringLiteral("org.quillary.Quillary"));
        QCOMPARE(call.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("org.quillary.Quillary"));
        QCOMPARE(call.summary, QStringLiteral("2 reminders are due"));
        // The service reads markup in bodies, so a title's own is escaped.
        QCOMPARE(call.body, QStringLiteral("Call (Ann)\nOld &lt;b&gt;&amp;&lt;/b&gt; (Bob)"));
        // Several reminders are opened, never advanced, with one click.
        QCOMPARE(call.actions, (QStringList{"default", "Open", "open", "Open"}));
    }

    void aReminderMadeForTodayIsToldWithoutARestartAndOtherEditsTellNothing()
    {
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        TreeNode& bob = *Reminder("Trip").GetTreeNode();
        CreateItem(KindReminder, "Dentist", "", "", bob, "{Remd}2026,12,8,0~~0", 0);
        QTRY_COMPARE(m_fake.calls.size(), 2);
        QCOMPARE(m_fake.calls.last().summary, QStringLiteral("Dentist"));
        Reminder("Trip").SetTitle("Long trip");
        CreateItem(KindReminder, "Later", "", "", bob, "{Remd}2026,12,20,0~~0", 0);
        QTest::qWait(1500);
        QCOMPARE(m_fake.calls.size(), 2);
    }

    void midnightAndADateJumpMarkAndTellWhatCameDue()
    {
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        TreeNode& ann = *Reminder("Party").GetTreeNode();
        m_form->SelectNode(ann);
        const QImage before = PartyPicture();
        QVERIFY(!Reminder("Party").GetFlagged());

        NewDay({2026, 12, 9});
        QVERIFY(Reminder("Party").GetFlagged());
        QTRY_COMPARE(m_fake.calls.size(), 2);
        QCOMPARE(m_fake.calls.last().summary, QStringLiteral("Party"));
        QVERIFY(m_fake.calls.last().body.startsWith(QStringLiteral("Ann\nDue ")));
        QCOMPARE(m_fake.calls.last().actions, (QStringList{"default", "Open", "open", "Open", "advance", "Advance"}));
        // The list was filled again: the entry shows the due picture now.
        QVERIFY(PartyPicture() != before);
        QCOMPARE(ann.StateIndex(), DueMarker);

        // The same day seen again (the minute check after midnight's) tells nothing twice.
        m_watch->Day().Check();
        m_watch->NotifyUntold();

        // A resume a week later, announced by logind.
        m_clock.today = {2026, 12, 16};
        QDBusConnection login = Connect(QStringLiteral("login"));
        QVERIFY(login.registerService(QStringLiteral("org.freedesktop.login1")));
        QSignalSpy changed(&m_watch->Day(), &DayWatch::DayChanged);
        QDBusMessage resume = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                         QStringLiteral("org.freedesktop.login1.Manager"),
                                                         QStringLiteral("PrepareForSleep"));
        resume << false;
        QVERIFY(login.send(resume));
        QVERIFY(changed.wait());
        QVERIFY(Reminder("Trip").GetFlagged());
        QTRY_COMPARE(m_fake.calls.size(), 3);
        QCOMPARE(m_fake.calls.last().summary, QStringLiteral("Trip"));
        login.unregisterService(QStringLiteral("org.freedesktop.login1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("login"));
    }

    void openShowsTheReminderAndAdvanceMovesItsDate()
    {
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        NewDay({2026, 12, 9});
        QTRY_COMPARE(m_fake.calls.size(), 2);
        TReminderObject& party = Reminder("Party");

        Invoke(102, QStringLiteral("open"));
        QTRY_VERIFY(m_form->isVisible());
        QCOMPARE(m_form->SelectedNode(), party.GetTreeNode());
        QCOMPARE(m_form->SelectedItems(), QList<TKPXObject*>{&party});

        // Weekly: the next date is the 16th, no longer due.
        Invoke(102, QStringLiteral("advance"));
        QTRY_COMPARE(party.RecurDate().GetDate(), (CivilDate{2026, 12, 16}));
        QVERIFY(!party.GetFlagged());
        QVERIFY(m_form->Tree().HasUnsavedChanges());

        // The grouped notice opens its reminders; it cannot advance them.
        m_form->SelectNode(m_form->Tree().Root());
        Invoke(101, QStringLiteral("advance"));
        Invoke(101, QStringLiteral("default"));
        QTRY_COMPARE(m_form->SelectedNode(), Reminder("Call").GetTreeNode());
        QCOMPARE(m_form->SelectedItems(), QList<TKPXObject*>{&Reminder("Call")});
        QCOMPARE(Reminder("Old <b>&</b>").RecurDate().GetDate(), (CivilDate{2025, 3, 1}));
        QVERIFY(m_boxes.isEmpty());
    }

    void withoutAServiceNothingBreaks()
    {
        QStringList infos;
        static QStringList* seen = nullptr;
        seen = &infos;
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { *seen << text; });
        Start(false);
        QTRY_VERIFY(!infos.filter(QStringLiteral("Desktop notifications are not shown")).isEmpty());
        NewDay({2026, 12, 9});
        QVERIFY(Reminder("Party").GetFlagged());
        qInstallMessageHandler(previous);
        QVERIFY(m_boxes.isEmpty());
        QVERIFY(m_fake.calls.isEmpty());
    }

    void withoutActionsNoneAreOffered()
    {
        m_fake.capabilities = {QStringLiteral("body")};
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        QVERIFY(m_fake.calls.front().actions.isEmpty());
        QCOMPARE(m_fake.calls.front().body, QStringLiteral("Call (Ann)\nOld <b>&</b> (Bob)"));
        m_fake.capabilities << QStringLiteral("actions") << QStringLiteral("body-markup");
    }

    void theOptionsCheckBoxTurnsNotificationsOff()
    {
        Start();
        QTRY_COMPARE(m_fake.calls.size(), 1);
        QVERIFY(ReminderNotificationsOn(*m_settings));
        m_form->show();
        QTimer::singleShot(0, this, [] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("Pages"));
            pages->setCurrentIndex(pages->count() - 1);
            auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("ReminderNotifications"));
            QVERIFY(box->isChecked());
            QTest::mouseClick(box, Qt::LeftButton);
            QVERIFY(!box->isChecked());
            dialog->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
        m_form->OptionsItemClick();
        QVERIFY(!ReminderNotificationsOn(*m_settings));

        NewDay({2026, 12, 9}); // "Party" comes due, untold
        QVERIFY(Reminder("Party").GetFlagged());
        m_settings->WriteInteger("Settings", "ReminderNotifications", 1);
        NewDay({2026, 12, 16}); // "Trip" comes due, told
        // Calls from one connection arrive in order: had "Party" been told, it would come first.
        QTRY_COMPARE(m_fake.calls.size(), 2);
        QCOMPARE(m_fake.calls.last().summary, QStringLiteral("Trip"));
    }

    void theMidnightTimerWaitsForTheNextLocalMidnight()
    {
        const QDateTime evening(QDate(2026, 12, 8), QTime(23, 59, 30));
        QCOMPARE(MillisecondsToMidnight(evening), 30 * 1000);
        QCOMPARE(MillisecondsToMidnight(QDateTime(QDate(2026, 12, 8), QTime(0, 0))), 24 * 3600 * 1000);
    }
};

QTEST_MAIN(ReminderWatchTest)
#include "reminder_watch_test.moc"
