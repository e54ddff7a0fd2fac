// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// moc cannot parse the standard <compare> header that the date type needs.
#ifndef Q_MOC_RUN
#include "common/civil_date.h"
#endif

#include <QDialog>
#include <QString>
#include <QStringList>

#include <cstdint>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QToolButton;

namespace quillary {

class DateLocale;
class TRecurringDate;

// The date dialog of a recurring date: a month calendar to pick the day and the list of rules
// worded for it. It reads the recurring date but never changes it; ExecuteRecurringDate does.
class TRecurringDateDlg : public QDialog
{
    Q_OBJECT

public:
    // The date must outlive the dialog.
    explicit TRecurringDateDlg(const TRecurringDate& date, QWidget* parent = nullptr);

    // Chosen so far, and what the dialog closed with (the start date after Cancel).
    CivilDate CurrentDate() const { return m_current; }
    CivilDate ResultDate() const { return m_result; }
    // The chosen rule, or -1 when none is chosen (a stored rule outside the list).
    int SelectedRecurMode() const;

    // For tests: the calendar grid (row 0 the weekday header), its selected cell and the rule list.
    QString CellText(int row, int column) const;
    int SelectedRow() const;
    int SelectedColumn() const;
    QStringList ModeEntries() const;

    // Starts over on the start date (today when the recurring date asks for it) and the stored rule.
    void FormActivate();

    // The user's actions.
    void MonthSelectorChange(int index);
    void YearUp();
    void YearDown();
    void ClickCell(int row, int column);
    void OKButtonClick();
    void CancelButtonClick();

private:
    void BuildControls();
    QWidget* BuildDateGroup();
    QWidget* BuildYearControls();
    void BuildGrid();
    void SizeGrid();
    void ChangeYear(int step);
    void SetDay(int year, int month, int day);
    void DrawMonth();
    void FillModeList();

    const TRecurringDate& m_date;
    const DateLocale& m_locale;
    CivilDate m_initial;
    CivilDate m_current;
    CivilDate m_result;
    bool m_useToday;
    std::int32_t m_initialMode;
    bool m_drawing = false;

    QComboBox* m_monthSelector = nullptr;
    QLineEdit* m_yearSelector = nullptr;
    QTableWidget* m_monthGrid = nullptr;
    QLabel* m_dateLabel = nullptr;
    QComboBox* m_recurModeCombo = nullptr;
};

// Runs the date dialog for the recurring date, placed and captioned as the date asks. On OK the
// chosen date and rule are stored and true is returned; on Cancel nothing changes.
bool ExecuteRecurringDate(TRecurringDate& date, QWidget* parent);

} // namespace quillary
