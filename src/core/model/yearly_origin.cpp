// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/yearly_origin.h"

#include "dialogs/recurring_date.h"

#include <cstdio>

namespace quillary {

namespace {
// The number of a run of exactly count digits, or none.
std::optional<int> Digits(std::string_view text, std::size_t count)
{
    if (text.size() != count)
        return std::nullopt;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// Whether the reminder's date is one of the origin's yearly occurrences.
bool IsOccurrence(const YearlyOrigin& origin, const CivilDate& date)
{
    if (date.month != origin.month)
        return false;
    return date.day == origin.day || (origin.day == 29 && origin.month == 2 && date.day == 28);
}

CivilDate InYear(const YearlyOrigin& origin, int year)
{
    const bool leapDay = origin.month == 2 && origin.day == 29 && !IsLeapYear(year);
    return {year, origin.month, leapDay ? 28 : origin.day};
}
} // namespace

YearlyOrigin OriginOf(const CivilDate& date)
{
    return {date.year, date.month, date.day};
}

std::string OriginText(const YearlyOrigin& origin)
{
    char text[24];
    if (origin.HasYear())
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", origin.year, origin.month, origin.day);
    else
        std::snprintf(text, sizeof text, "--%02d-%02d", origin.month, origin.day);
    return text;
}

std::optional<YearlyOrigin> ParseOriginText(std::string_view text)
{
    const std::size_t dash = text.find('-', 1);
    if (text.size() < 6 || dash == std::string_view::npos || text.substr(dash).size() != 6 || text[dash + 3] != '-')
        return std::nullopt;
    const bool withoutYear = text.starts_with("--");
    const auto year = withoutYear ? std::optional(0) : Digits(text.substr(0, dash), 4);
    const auto month = Digits(text.substr(dash + 1, 2), 2);
    const auto day = Digits(text.substr(dash + 4), 2);
    if (!year || !month || !day)
        return std::nullopt;
    // A date without a year is checked in a leap year, so 29 February stands.
    const CivilDate check{withoutYear ? 2000 : *year, *month, *day};
    if (!IsRecurringDate(check))
        return std::nullopt;
    return YearlyOrigin{*year, *month, *day};
}

CivilDate NextOccurrence(const YearlyOrigin& origin, const CivilDate& today)
{
    const int from = origin.year > today.year ? origin.year : today.year;
    const CivilDate date = InYear(origin, from);
    return date < today ? InYear(origin, from + 1) : date;
}

YearlyOrigin BeganOn(const std::optional<YearlyOrigin>& origin, const CivilDate& reminderDate)
{
    if (!origin)
        return OriginOf(reminderDate);
    if (IsOccurrence(*origin, reminderDate))
        return *origin;
    const YearlyOrigin moved{origin->year, reminderDate.month, reminderDate.day};
    const bool keepsYear = !moved.HasYear() || (moved.year <= reminderDate.year &&
                                                IsValidDate({moved.year, moved.month, moved.day}));
    return keepsYear ? moved : OriginOf(reminderDate);
}

std::optional<int> YearsSince(const std::optional<YearlyOrigin>& origin, const CivilDate& reminderDate)
{
    if (!origin)
        return std::nullopt;
    const YearlyOrigin began = BeganOn(origin, reminderDate);
    const int years = reminderDate.year - began.year;
    return began.HasYear() && years >= 1 ? std::optional(years) : std::nullopt;
}

} // namespace quillary
