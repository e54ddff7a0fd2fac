// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_date_locale.h"

#include <QDate>
#include <QLocale>

namespace quillary {

namespace {
// Qt numbers weekdays from Monday = 1 to Sunday = 7; ours run from Sunday = 1.
int QtWeekday(int weekday)
{
    return weekday == 1 ? 7 : weekday - 1;
}

std::string Format(const CivilDate& date, QLocale::FormatType format)
{
    return QLocale::system().toString(QDate(date.year, date.month, date.day), format).toStdString();
}
} // namespace

std::string QtDateLocale::LongMonthName(int month) const
{
    return QLocale::system().standaloneMonthName(month, QLocale::LongFormat).toStdString();
}

std::string QtDateLocale::ShortDayName(int weekday) const
{
    return QLocale::system().dayName(QtWeekday(weekday), QLocale::ShortFormat).toStdString();
}

std::string QtDateLocale::LongDayName(int weekday) const
{
    return QLocale::system().dayName(QtWeekday(weekday), QLocale::LongFormat).toStdString();
}

std::string QtDateLocale::ShortDate(const CivilDate& date) const
{
    return Format(date, QLocale::ShortFormat);
}

std::string QtDateLocale::LongDate(const CivilDate& date) const
{
    return Format(date, QLocale::LongFormat);
}

} // namespace quillary
