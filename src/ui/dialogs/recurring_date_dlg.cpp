// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/dialogs/recurring_date_dlg.h"

#include "dialogs/recurring_date.h"
#include "ui/text_codec.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace quillary {

namespace {

constexpr int GridSize = 7; // seven weekdays by a header row and six weeks
constexpr int MinCellWidth = 34;
constexpr int CellHeight = 22;

// The grid cell (row 1 to 6, column 0 = Sunday) of a day of the date's month.
QPoint CellOfDay(const CivilDate& date, int day)
{
    const int cell = DayOfWeek({date.year, date.month, 1}) - 1 + day - 1;
    return {cell % GridSize, 1 + cell / GridSize};
}

QToolButton* ArrowButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFixedSize(18, 12);
    button->setAccessibleName(arrow == Qt::UpArrow ? QStringLiteral("Next year") : QStringLiteral("Previous year"));
    return button;
}

void PlaceDialog(QDialog& dialog, const TRecurringDate& date)
{
    dialog.adjustSize();
    if (date.DialogPosition == DialogPlacement::AtTopLeft) {
        dialog.move(date.DialogLeft, date.DialogTop);
        return;
    }
    const QWidget* onScreenOf = dialog.parentWidget() ? dialog.parentWidget() : &dialog;
    if (const QScreen* screen = onScreenOf->screen()) {
        QRect frame(QPoint(), dialog.size());
        frame.moveCenter(screen->availableGeometry().center());
        dialog.move(frame.topLeft());
    }
}

} // namespace

TRecurringDateDlg::TRecurringDateDlg(const TRecurringDate& date, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_date(date), m_locale(date.Locale()), m_initial(date.GetDate()), m_useToday(date.UseToday),
      m_initialMode(date.RecurMode())
{
    setWindowTitle(FromField(date.DialogCaption));
    BuildControls();
    // Once, not on every activation: coming back from another window must not undo the choice.
    FormActivate();
}

void TRecurringDateDlg::BuildControls()
{
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TRecurringDateDlg::OKButtonClick);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(cancel, &QPushButton::clicked, this, &TRecurringDateDlg::CancelButtonClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(BuildDateGroup());
    layout->addLayout(buttons);
}

QWidget* TRecurringDateDlg::BuildDateGroup()
{
    auto* group = new QGroupBox(QStringLiteral(" &Date "), this);
    group->setObjectName(QStringLiteral("DataGroupbox"));
    m_monthSelector = new QComboBox(group);
    m_monthSelector->setObjectName(QStringLiteral("MonthSelector"));
    m_monthSelector->setMaxVisibleItems(12);
    connect(m_monthSelector, &QComboBox::currentIndexChanged, this, &TRecurringDateDlg::MonthSelectorChange);
    BuildGrid();
    m_dateLabel = new QLabel(group);
    m_dateLabel->setObjectName(QStringLiteral("DateLabel"));
    m_dateLabel->setAlignment(Qt::AlignCenter);
    m_recurModeCombo = new QComboBox(group);
    m_recurModeCombo->setObjectName(QStringLiteral("RecurModeCombo"));

    auto* grid = new QGridLayout(group);
    grid->addWidget(m_monthSelector, 0, 0, 1, 2);
    grid->addWidget(BuildYearControls(), 0, 2);
    grid->addWidget(m_monthGrid, 1, 0, 1, 3, Qt::AlignHCenter);
    grid->addWidget(new QLabel(QStringLiteral("Start:"), group), 2, 0);
    grid->addWidget(m_dateLabel, 2, 1, 1, 2);
    auto* recurLabel = new QLabel(QStringLiteral("Recur:"), group);
    recurLabel->setBuddy(m_recurModeCombo);
    grid->addWidget(recurLabel, 3, 0);
    grid->addWidget(m_recurModeCombo, 3, 1, 1, 2);
    return group;
}

QWidget* TRecurringDateDlg::BuildYearControls()
{
    auto* box = new QWidget(this);
    m_yearSelector = new QLineEdit(box);
    m_yearSelector->setObjectName(QStringLiteral("YearSelector"));
    m_yearSelector->setAccessibleName(QStringLiteral("Year"));
    m_yearSelector->setReadOnly(true);
    m_yearSelector->setEnabled(false);
    m_yearSelector->setFixedWidth(m_yearSelector->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);

    auto* arrows = new QWidget(box);
    arrows->setObjectName(QStringLiteral("YearUpDown"));
    QToolButton* up = ArrowButton(Qt::UpArrow, arrows);
    QToolButton* down = ArrowButton(Qt::DownArrow, arrows);
    connect(up, &QToolButton::clicked, this, &TRecurringDateDlg::YearUp);
    connect(down, &QToolButton::clicked, this, &TRecurringDateDlg::YearDown);
    auto* arrowLayout = new QVBoxLayout(arrows);
    arrowLayout->setContentsMargins(0, 0, 0, 0);
    arrowLayout->setSpacing(0);
    arrowLayout->addWidget(up);
    arrowLayout->addWidget(down);

    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_yearSelector);
    layout->addWidget(arrows);
    return box;
}

void TRecurringDateDlg::BuildGrid()
{
    m_monthGrid = new QTableWidget(GridSize, GridSize, this);
    m_monthGrid->setObjectName(QStringLiteral("MonthGrid"));
    m_monthGrid->setAccessibleName(QStringLiteral("Days of the month"));
    m_monthGrid->horizontalHeader()->hide();
    m_monthGrid->verticalHeader()->hide();
    m_monthGrid->setShowGrid(false);
    m_monthGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_monthGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_monthGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_monthGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_monthGrid->setTabKeyNavigation(false);
    QFont headerFont = m_monthGrid->font();
    headerFont.setBold(true);
    for (int row = 0; row < GridSize; ++row) {
        m_monthGrid->setRowHeight(row, CellHeight);
        for (int column = 0; column < GridSize; ++column) {
            auto* cell = new QTableWidgetItem;
            cell->setTextAlignment(Qt::AlignCenter);
            // The header row is fixed: it can be looked at but not selected.
            cell->setFlags(row == 0 ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (row == 0)
                cell->setFont(headerFont);
            m_monthGrid->setItem(row, column, cell);
        }
    }
    connect(m_monthGrid, &QTableWidget::cellClicked, this, &TRecurringDateDlg::ClickCell);
    // Moving with the arrow keys picks the day too, so the highlighted day is always the chosen one.
    connect(m_monthGrid, &QTableWidget::currentCellChanged, this,
            [this](int row, int column, int, int) { ClickCell(row, column); });
}

void TRecurringDateDlg::FormActivate()
{
    if (m_useToday)
        m_initial = m_date.GetClock().Today();
    m_initial = ClampDay(m_initial.year, m_initial.month, m_initial.day);
    m_current = m_initial;
    m_result = m_initial;
    for (int column = 0; column < GridSize; ++column)
        m_monthGrid->item(0, column)->setText(FromField(m_locale.ShortDayName(column + 1)));
    SizeGrid();
    {
        const QSignalBlocker quiet(m_monthSelector);
        m_monthSelector->clear();
        for (int month = 1; month <= 12; ++month)
            m_monthSelector->addItem(FromField(m_locale.LongMonthName(month)));
        m_monthSelector->setCurrentIndex(m_current.month - 1);
    }
    DrawMonth();
    FillModeList();
    const bool known = m_initialMode >= 0 && m_initialMode < kRecurModeCount;
    m_recurModeCombo->setCurrentIndex(known ? m_initialMode : -1);
}

// Equal columns wide enough for the locale's weekday names.
void TRecurringDateDlg::SizeGrid()
{
    const QFontMetrics metrics(m_monthGrid->item(0, 0)->font());
    int cellWidth = MinCellWidth;
    for (int column = 0; column < GridSize; ++column)
        cellWidth = std::max(cellWidth, metrics.horizontalAdvance(m_monthGrid->item(0, column)->text()) + 10);
    for (int column = 0; column < GridSize; ++column)
        m_monthGrid->setColumnWidth(column, cellWidth);
    const int frame = 2 * m_monthGrid->frameWidth();
    m_monthGrid->setFixedSize(GridSize * cellWidth + frame, GridSize * CellHeight + frame);
}

void TRecurringDateDlg::DrawMonth()
{
    const QScopedValueRollback<bool> drawing(m_drawing, true);
    m_dateLabel->setText(FromField(m_locale.LongDate(m_current)));
    for (int row = 1; row < GridSize; ++row)
        for (int column = 0; column < GridSize; ++column)
            m_monthGrid->item(row, column)->setText(QString());
    const int days = DaysInMonth(m_current.year, m_current.month);
    for (int day = 1; day <= days; ++day) {
        const QPoint cell = CellOfDay(m_current, day);
        m_monthGrid->item(cell.y(), cell.x())->setText(QString::number(day));
    }
    const QPoint selected = CellOfDay(m_current, m_current.day);
    m_monthGrid->setCurrentCell(selected.y(), selected.x());
    m_yearSelector->setText(QString::number(m_current.year));
}

void TRecurringDateDlg::FillModeList()
{
    const int selected = m_recurModeCombo->currentIndex();
    m_recurModeCombo->clear();
    for (std::int32_t mode = 0; mode < kRecurModeCount; ++mode)
        m_recurModeCombo->addItem(FromField(RecurModeEntry(mode, m_current, m_locale)));
    m_recurModeCombo->setCurrentIndex(selected);
}

// Every change of day, month or year ends here, so the day always fits its month.
void TRecurringDateDlg::SetDay(int year, int month, int day)
{
    m_current = ClampDay(year, month, day);
    FillModeList();
}

void TRecurringDateDlg::MonthSelectorChange(int index)
{
    if (index < 0 || index >= 12)
        return;
    SetDay(m_current.year, index + 1, m_current.day);
    DrawMonth();
}

void TRecurringDateDlg::YearUp()
{
    ChangeYear(1);
}

void TRecurringDateDlg::YearDown()
{
    ChangeYear(-1);
}

void TRecurringDateDlg::ChangeYear(int step)
{
    const int year = m_current.year + step;
    if (year >= kMinRecurYear && year <= kMaxRecurYear)
        SetDay(year, m_current.month, m_current.day);
    DrawMonth();
}

void TRecurringDateDlg::ClickCell(int row, int column)
{
    if (m_drawing)
        return;
    bool isDay = false;
    const int day = row > 0 ? CellText(row, column).toInt(&isDay) : 0;
    if (isDay)
        SetDay(m_current.year, m_current.month, day);
    DrawMonth();
}

void TRecurringDateDlg::OKButtonClick()
{
    m_result = m_current;
    accept();
}

void TRecurringDateDlg::CancelButtonClick()
{
    m_result = m_initial;
    reject();
}

int TRecurringDateDlg::SelectedRecurMode() const
{
    return m_recurModeCombo->currentIndex();
}

QString TRecurringDateDlg::CellText(int row, int column) const
{
    const QTableWidgetItem* cell = m_monthGrid->item(row, column);
    return cell ? cell->text() : QString();
}

int TRecurringDateDlg::SelectedRow() const
{
    return m_monthGrid->currentRow();
}

int TRecurringDateDlg::SelectedColumn() const
{
    return m_monthGrid->currentColumn();
}

QStringList TRecurringDateDlg::ModeEntries() const
{
    QStringList entries;
    for (int index = 0; index < m_recurModeCombo->count(); ++index)
        entries.append(m_recurModeCombo->itemText(index));
    return entries;
}

bool ExecuteRecurringDate(TRecurringDate& date, QWidget* parent)
{
    TRecurringDateDlg dialog(date, parent);
    PlaceDialog(dialog, date);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    date.SetDate(dialog.ResultDate());
    // A stored rule the list does not know stays as it was unless the user picked another.
    if (dialog.SelectedRecurMode() >= 0)
        date.SetRecurMode(dialog.SelectedRecurMode());
    return true;
}

} // namespace quillary
