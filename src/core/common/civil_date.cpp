// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/civil_date.h"

namespace quillary {

// The conversions count in 400-year eras of 146097 days whose years start on 1 March, so that the leap day is the
// last day of its year and month lengths follow a simple linear pattern.

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month)
{
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kLengths[month - 1];
}

bool IsValidDate(const CivilDate& date)
{
    return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

std::int64_t DaysFromCivil(const CivilDate& date)
{
    const std::int64_t year = std::int64_t{date.year} - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate CivilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153; // 0 = March
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return CivilDate{year, month, day};
}

CivilDate AddDays(const CivilDate& date, std::int64_t days)
{
    return CivilFromDays(DaysFromCivil(date) + days);
}

int DayOfWeek(const CivilDate& date)
{
    // 1970-01-01 was a Thursday (5); keep the remainder non-negative for earlier days.
    const std::int64_t days = DaysFromCivil(date);
    const std::int64_t sundayBased = days >= -4 ? (days + 4) % 7 : (days + 5) % 7 + 6;
    return static_cast<int>(sundayBased) + 1;
}

} // namespace quillary
