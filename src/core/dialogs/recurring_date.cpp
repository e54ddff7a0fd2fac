// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/recurring_date.h"

#include "common/comma_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <system_error>

namespace quillary {

namespace {

bool InSupportedYears(int year)
{
    return year >= kMinRecurYear && year <= kMaxRecurYear;
}

bool IsKnownMode(std::int32_t mode)
{
    return mode >= 0 && mode < kRecurModeCount;
}

// "Last" for the fifth week, since only the last such weekday of a month can fall in it.
std::string WeekName(int day)
{
    const int week = WeekOfMonth(day);
    return week == 5 ? std::string("Last") : Ord(week);
}

// What follows "Every " in the rule list and "and every following " in the description.
std::string RulePhrase(std::int32_t mode, const CivilDate& date, const DateLocale& locale)
{
    switch (mode) {
    case kRecurMonthlyDay:
        return Ord(date.day) + " of the month";
    case kRecurYearly:
        return locale.LongMonthName(date.month) + ' ' + Ord(date.day);
    case kRecurWeekly:
        return locale.LongDayName(DayOfWeek(date));
    case kRecurFortnightly:
        return "other " + locale.LongDayName(DayOfWeek(date));
    case kRecurMonthlyWeekday:
        return WeekName(date.day) + ' ' + locale.ShortDayName(DayOfWeek(date)) + " of the month";
    default:
        return {};
    }
}

// The same day number in the next month that has it (at most two months on, since every day number up to 31 occurs
// in one of any two consecutive months).
CivilDate NextMonthWithDay(const CivilDate& date)
{
    CivilDate next = date;
    do {
        if (++next.month > 12) {
            next.month = 1;
            ++next.year;
        }
    } while (!IsValidDate(next));
    return next;
}

// The same month and day in the next year that has it (up to eight years on for 29 February).
CivilDate NextYearWithDate(const CivilDate& date)
{
    CivilDate next = date;
    do {
        ++next.year;
    } while (!IsValidDate(next) && next.year <= kMaxRecurYear);
    return next;
}

// The same weekday in the same week of a later month. From the fifth week, where the weekday is the month's last,
// it stops on the next month's last such weekday when that month has none in week five.
CivilDate NextMonthlyWeekday(const CivilDate& date)
{
    const int week = WeekOfMonth(date.day);
    CivilDate next = date;
    for (;;) {
        next = AddDays(next, 7);
        const int nextWeek = WeekOfMonth(next.day);
        if (nextWeek == week)
            break;
        if (week == 5 && nextWeek >= 3 && AddDays(next, 7).month != next.month)
            break;
    }
    return next;
}

std::optional<int> ParseDecimal(const std::string& part)
{
    int value = 0;
    const char* const end = part.data() + part.size();
    const auto [stop, error] = std::from_chars(part.data(), end, value);
    if (part.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

// The four numbers in the form GetAsText writes them, "2026,12,10,3", read without a string made.
bool ReadWrittenNumbers(std::string_view text, std::array<int, 4>& values)
{
    const char* at = text.data();
    const char* const end = at + text.size();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && (at == end || *at++ != ','))
            return false;
        const auto [stop, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc{})
            return false;
        at = stop;
    }
    return at == end;
}

// The four numbers in any form comma text allows: blanks, quotes.
bool ReadCommaNumbers(std::string_view text, std::array<int, 4>& values)
{
    // Five words already make the text wrong: a field of a million commas is not split whole.
    const std::vector<std::string> parts = SplitCommaText(text, 4);
    if (parts.size() != values.size())
        return false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::optional<int> value = ParseDecimal(parts[i]);
        if (!value)
            return false;
        values[i] = *value;
    }
    return true;
}

} // namespace

std::string Ord(int n)
{
    const int magnitude = std::abs(n % 100);
    const char* suffix = "th";
    if (magnitude < 11 || magnitude > 13) {
        switch (magnitude % 10) {
        case 1:
            suffix = "st";
            break;
        case 2:
            suffix = "nd";
            break;
        case 3:
            suffix = "rd";
            break;
        default:
            break;
        }
    }
    return std::to_string(n) + suffix;
}

int WeekOfMonth(int day)
{
    return (day + 6) / 7;
}

std::string RecurModeEntry(std::int32_t mode, const CivilDate& date, const DateLocale& locale)
{
    if (mode == kRecurNone)
        return "Does not recur";
    if (!IsKnownMode(mode))
        return {};
    return "Every " + RulePhrase(mode, date, locale);
}

CivilDate ClampDay(int year, int month, int day)
{
    CivilDate date;
    date.year = std::clamp(year, kMinRecurYear, kMaxRecurYear);
    date.month = std::clamp(month, 1, 12);
    date.day = std::clamp(day, 1, DaysInMonth(date.year, date.month));
    return date;
}

TRecurringDate::TRecurringDate(const Clock& clock, const DateLocale& locale) : m_clock(&clock), m_locale(&locale)
{
    // A clock outside the supported years leaves the default date rather than an invalid one.
    SetDate(clock.Today());
}

bool IsRecurringDate(const CivilDate& date)
{
    return IsValidDate(date) && InSupportedYears(date.year);
}

bool TRecurringDate::SetDate(const CivilDate& date)
{
    if (!IsRecurringDate(date))
        return false;
    Store(date);
    return true;
}

void TRecurringDate::Store(const CivilDate& date)
{
    m_year = static_cast<std::uint16_t>(date.year);
    m_month = static_cast<std::uint16_t>(date.month);
    m_day = static_cast<std::uint16_t>(date.day);
}

void TRecurringDate::Advance()
{
    const CivilDate current = GetDate();
    CivilDate next = current;
    switch (m_recurMode) {
    case kRecurNone:
        next = AddDays(current, 1);
        break;
    case kRecurMonthlyDay:
        next = NextMonthWithDay(current);
        break;
    case kRecurYearly:
        next = NextYearWithDate(current);
        break;
    case kRecurWeekly:
        next = AddDays(current, 7);
        break;
    case kRecurFortnightly:
        next = AddDays(current, 14);
        break;
    case kRecurMonthlyWeekday:
        next = NextMonthlyWeekday(current);
        break;
    default:
        return;
    }
    // Past the last supported year the date stays where it is.
    SetDate(next);
}

std::string TRecurringDate::GetDescription() const
{
    std::string description = GetDateText();
    if (m_recurMode != kRecurNone && IsKnownMode(m_recurMode))
        description += " and every following " + RulePhrase(m_recurMode, GetDate(), *m_locale);
    return description;
}

std::string TRecurringDate::GetDateText() const
{
    return m_locale->ShortDate(GetDate());
}

std::string TRecurringDate::GetAsText() const
{
    // Written for every reminder on every save: made in place, with no string per number.
    char text[4 * 12];
    char* end = text;
    for (const std::int32_t value : {std::int32_t{m_year}, std::int32_t{m_month}, std::int32_t{m_day}, m_recurMode}) {
        if (end != text)
            *end++ = ',';
        end = std::to_chars(end, text + sizeof text, value).ptr;
    }
    return std::string(text, end);
}

bool TRecurringDate::SetAsText(std::string_view text)
{
    std::array<int, 4> values{};
    if (!ReadWrittenNumbers(text, values) && !ReadCommaNumbers(text, values))
        return false;
    const CivilDate date{values[0], values[1], values[2]};
    if (!IsKnownMode(values[3]) || !SetDate(date))
        return false;
    m_recurMode = values[3];
    return true;
}

} // namespace quillary
