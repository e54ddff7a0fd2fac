// SPDX-License-Identifier: GPL-3.0-or-later
// moc cannot parse the standard <compare> header that the date type needs.
#ifndef Q_MOC_RUN
#include "support/fake_services.h"

#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_reminder.h"
#endif
#include "ui/dialogs/category_popup.h"
#include "ui/dialogs/reminder_dlg.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quillary;
using namespace quillary::test;

namespace {

// Acts on the dialog once it runs modally; anything else modal is cancelled, so a failing test
// never hangs in exec().
void WhenShown(std::function<void(TRemdDlg&)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<TRemdDlg*>(QApplication::activeModalWidget()))
            act(*dialog);
        else if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            other->reject();
    });
}

void Click(const QWidget& dialog, const char* name)
{
    dialog.findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
}

} // namespace

class ReminderDlgTest : public QObject
{
    Q_OBJECT

    TestWorld m_world;
    std::unique_ptr<ItemTree> m_tree;
    TReminderObject* m_reminder = nullptr;
    std::vector<int> m_helpTopics;
    DialogContext m_context{nullptr, [this](int topic) { m_helpTopics.push_back(topic); }, {}};
    const std::function<bool(TRecurringDate&, QWidget*)> m_realDateDialog = TRemdDlg::RunDateDialog;
    const std::function<bool(TCategoryPopup&)> m_realPopup = TCategoryPopup::RunModal;

    TRecurringDate& Date() { return m_reminder->RecurDate(); }

private slots:
    void init()
    {
        m_tree = std::make_unique<ItemTree>(m_world.Services());
        TreeNode& person = *CreateItem(KindPerson, "Pat", "", "", m_tree->Root(), "", 0)->GetTreeNode();
        m_reminder = static_cast<TReminderObject*>(
            CreateItem(KindReminder, "Dentist", "", "", person, "{Remd}2026,12,3,3~~0", 0));
    }

    void cleanup()
    {
        m_tree.reset();
        TRemdDlg::RunDateDialog = m_realDateDialog;
        TCategoryPopup::RunModal = m_realPopup;
    }

    void showsTheFrameAndTheDate()
    {
        TRemdDlg dialog(m_context, *m_reminder, Date());
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Reminder"));
        QCOMPARE(dialog.TargetDateLabel().text(), QStringLiteral("12/3/2026 and every following Thursday"));
        QVERIFY(dialog.TargetDateLabel().font().underline());
        QCOMPARE(dialog.findChild<QPushButton*>("SetDateBtn")->toolTip(), QStringLiteral("Select due date(s)"));
        QCOMPARE(dialog.findChild<QPushButton*>("AdvanceBtn")->toolTip(), QStringLiteral("Advance due date"));
        QVERIFY(!dialog.findChild<QLabel*>("Image1")->pixmap().isNull());
        Click(dialog, "HelpBtn");
        QCOMPARE(m_helpTopics, std::vector<int>{EditDialogHelpContext});
    }

    void okWritesTheFormAndCancelKeepsItButNotTheDate()
    {
        ReminderForm form{"New Reminder", ""};
        WhenShown([](TRemdDlg& dialog) {
            QCOMPARE(dialog.TitleEdit().text(), QStringLiteral("New Reminder"));
            dialog.TitleEdit().setText(QStringLiteral("Zahnärztin"));
            dialog.RemdComment().setText(QStringLiteral("card"));
            Click(dialog, "OKBtn");
        });
        QVERIFY(EditReminderDialog(m_context, *m_reminder, form, Date(), EditMode::New));
        QCOMPARE(form.title, std::string("Zahn\xC3\xA4rztin"));
        QCOMPARE(form.comment, std::string("card"));

        QString label;
        WhenShown([&](TRemdDlg& dialog) {
            dialog.TitleEdit().clear();
            Click(dialog, "AdvanceBtn");
            label = dialog.TargetDateLabel().text();
            Click(dialog, "CancelBtn");
        });
        QVERIFY(!EditReminderDialog(m_context, *m_reminder, form, Date(), EditMode::Properties));
        QCOMPARE(label, QStringLiteral("12/10/2026 and every following Thursday"));
        QCOMPARE(Date().GetDate(), (CivilDate{2026, 12, 10}));
        QCOMPARE(form.title, std::string("Zahn\xC3\xA4rztin"));
    }

    void setDateRefreshesTheLabelWhateverTheAnswer()
    {
        TRemdDlg dialog(m_context, *m_reminder, Date());
        TRecurringDate* asked = nullptr;
        TRemdDlg::RunDateDialog = [&](TRecurringDate& date, QWidget*) {
            asked = &date;
            date.SetRecurMode(kRecurMonthlyDay);
            return false;
        };
        Click(dialog, "SetDateBtn");
        QCOMPARE(asked, &Date()); // the reminder's own date, not a copy
        QCOMPARE(dialog.TargetDateLabel().text(), QStringLiteral("12/3/2026 and every following 3rd of the month"));
    }

    void categoriesStandAfterCancel()
    {
        ReminderForm form{"Dentist", ""};
        TCategoryPopup::RunModal = [](TCategoryPopup& popup) {
            popup.CheckListBox().item(2)->setCheckState(Qt::Checked);
            return true;
        };
        WhenShown([](TRemdDlg& dialog) {
            Click(dialog, "CatSelect");
            Click(dialog, "CancelBtn");
        });
        QVERIFY(!EditReminderDialog(m_context, *m_reminder, form, Date(), EditMode::Properties));
        QCOMPARE(m_reminder->GetCategories(), 4);
    }

    void pastingLinesKeepsTheFirst()
    {
        TRemdDlg dialog(m_context, *m_reminder, Date());
        QApplication::clipboard()->setText(QStringLiteral("first\r\nsecond"));
        dialog.TitleEdit().setText(QStringLiteral("[]"));
        dialog.TitleEdit().setCursorPosition(1);
        dialog.TitleEdit().paste();
        QCOMPARE(dialog.TitleEdit().text(), QStringLiteral("[first]"));
    }
};

QTEST_MAIN(ReminderDlgTest)
#include "reminder_dlg_test.moc"
