// SPDX-License-Identifier: GPL-3.0-or-later
// moc cannot parse the standard <compare> header that the date type needs.
#ifndef Q_MOC_RUN
#include "support/fake_services.h"

#include "dialogs/recurring_date.h"
#endif
#include "ui/dialogs/recurring_date_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace quillary;
using namespace quillary::test;

namespace {

// Acts on the dialog once it runs modally; anything else modal is cancelled, so a failing test
// never hangs in exec().
void WhenShown(std::function<void(TRecurringDateDlg&)> act)
{
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<TRecurringDateDlg*>(QApplication::activeModalWidget()))
            act(*dialog);
        else if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            other->reject();
    });
}

QStringList Row(const TRecurringDateDlg& dialog, int row)
{
    QStringList texts;
    for (int column = 0; column < 7; ++column)
        texts.append(dialog.CellText(row, column));
    return texts;
}

} // namespace

class RecurringDateDlgTest : public QObject
{
    Q_OBJECT

    FixedClock m_clock{{2026, 12, 8}};
    EnglishDateLocale m_locale;

    TRecurringDate Stored(CivilDate day, std::int32_t mode = kRecurNone)
    {
        TRecurringDate date(m_clock, m_locale);
        date.UseToday = false;
        date.SetDate(day);
        date.SetRecurMode(mode);
        return date;
    }

private slots:
    void startsOnTodayAndDrawsTheMonth()
    {
        TRecurringDate date(m_clock, m_locale);
        date.SetDate({2020, 5, 5}); // not shown: the dialog starts on today
        TRecurringDateDlg dialog(date);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select a date"));
        QCOMPARE(Row(dialog, 0), QStringList({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
        QCOMPARE(Row(dialog, 1), QStringList({"", "", "1", "2", "3", "4", "5"})); // starts on a Tuesday
        QCOMPARE(Row(dialog, 5), QStringList({"27", "28", "29", "30", "31", "", ""}));
        QCOMPARE(Row(dialog, 6), QStringList({"", "", "", "", "", "", ""}));
        QCOMPARE(QPoint(dialog.SelectedColumn(), dialog.SelectedRow()), QPoint(2, 2));
        QCOMPARE(dialog.findChild<QLabel*>("DateLabel")->text(), QStringLiteral("Tuesday, December 8, 2026"));
        QCOMPARE(dialog.findChild<QLineEdit*>("YearSelector")->text(), QStringLiteral("2026"));
        QCOMPARE(dialog.findChild<QComboBox*>("MonthSelector")->currentText(), QStringLiteral("December"));
    }

    void rulesAreWordedForTheChosenDayKeepingTheChoice()
    {
        const TRecurringDate date = Stored({2026, 12, 31}, kRecurFortnightly);
        TRecurringDateDlg dialog(date);
        QCOMPARE(dialog.ModeEntries(),
                 QStringList({"Does not recur", "Every 31st of the month", "Every December 31st", "Every Thursday",
                              "Every other Thursday", "Every Last Thu of the month"}));
        dialog.ClickCell(1, 4);
        QCOMPARE(dialog.CurrentDate(), (CivilDate{2026, 12, 3}));
        QCOMPARE(dialog.ModeEntries().at(5), QStringLiteral("Every 1st Thu of the month"));
        QCOMPARE(dialog.SelectedRecurMode(), kRecurFortnightly);
    }

    void dayStaysInTheMonthAndYearInRange()
    {
        const TRecurringDate leap = Stored({2028, 1, 31});
        TRecurringDateDlg dialog(leap);
        dialog.MonthSelectorChange(1);
        QCOMPARE(dialog.CurrentDate(), (CivilDate{2028, 2, 29}));
        QCOMPARE(dialog.CellText(dialog.SelectedRow(), dialog.SelectedColumn()), QStringLiteral("29"));
        dialog.YearDown();
        QCOMPARE(dialog.CurrentDate(), (CivilDate{2027, 2, 28}));

        const TRecurringDate first = Stored({1, 6, 15});
        TRecurringDateDlg low(first);
        low.YearDown();
        QCOMPARE(low.CurrentDate().year, 1);
        const TRecurringDate last = Stored({9999, 12, 31});
        TRecurringDateDlg high(last);
        high.YearUp();
        QCOMPARE(high.CurrentDate().year, 9999);
    }

    void onlyNumberedCellsPickADay()
    {
        const TRecurringDate date = Stored({2026, 12, 17});
        TRecurringDateDlg dialog(date);
        dialog.show();
        auto* grid = dialog.findChild<QTableWidget*>("MonthGrid");
        for (QTableWidgetItem* empty : {grid->item(0, 3), grid->item(1, 0), grid->item(6, 1)}) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(empty).center());
            QCOMPARE(dialog.CurrentDate(), (CivilDate{2026, 12, 17}));
            QCOMPARE(grid->selectedItems().value(0)->text(), QStringLiteral("17"));
        }
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(4, 1)).center());
        QCOMPARE(dialog.CurrentDate(), (CivilDate{2026, 12, 21}));
        QTest::keyClick(grid, Qt::Key_Right); // the highlighted day is always the chosen one
        QCOMPARE(dialog.CurrentDate(), (CivilDate{2026, 12, 22}));
    }

    void okStoresAndCancelLeavesTheDate()
    {
        TRecurringDate date(m_clock, m_locale);
        date.DialogPosition = DialogPlacement::AtTopLeft;
        date.DialogLeft = 40;
        date.DialogTop = 30;
        QPoint position;
        WhenShown([&](TRecurringDateDlg& dialog) {
            position = dialog.pos();
            dialog.MonthSelectorChange(1);
            dialog.findChild<QComboBox*>("RecurModeCombo")->setCurrentIndex(kRecurWeekly);
            dialog.findChild<QPushButton*>("OKButton")->click();
        });
        QVERIFY(ExecuteRecurringDate(date, nullptr));
        QCOMPARE(position, QPoint(40, 30));
        QCOMPARE(date.GetDate(), (CivilDate{2026, 2, 8}));
        QCOMPARE(date.RecurMode(), kRecurWeekly);

        WhenShown([](TRecurringDateDlg& dialog) {
            dialog.YearUp();
            dialog.findChild<QComboBox*>("RecurModeCombo")->setCurrentIndex(kRecurNone);
            dialog.findChild<QPushButton*>("CancelButton")->click();
        });
        QVERIFY(!ExecuteRecurringDate(date, nullptr));
        QCOMPARE(date.GetDate(), (CivilDate{2026, 2, 8}));
        QCOMPARE(date.RecurMode(), kRecurWeekly);
    }
};

QTEST_MAIN(RecurringDateDlgTest)
#include "recurring_date_dlg_test.moc"
