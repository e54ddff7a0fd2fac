// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <compare>
#include <cstdint>

namespace quillary {

// A calendar date without time, in the proleptic Gregorian calendar.
struct CivilDate
{
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31

    auto operator<=>(const CivilDate&) const = default;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
bool IsValidDate(const CivilDate& date);

// Days since 1970-01-01 (negative before it).
std::int64_t DaysFromCivil(const CivilDate& date);
CivilDate CivilFromDays(std::int64_t days);
CivilDate AddDays(const CivilDate& date, std::int64_t days);

// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(const CivilDate& date);

} // namespace quillary
