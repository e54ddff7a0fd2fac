// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"
#include "common/clock.h"
#include "common/date_locale.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quillary {

// The rules by which a recurring date moves on; stored as plain numbers in the data file.
inline constexpr std::int32_t kRecurNone = 0;           // does not recur; advancing moves to the next day
inline constexpr std::int32_t kRecurMonthlyDay = 1;     // the same day number every month
inline constexpr std::int32_t kRecurYearly = 2;         // the same month and day every year
inline constexpr std::int32_t kRecurWeekly = 3;         // every seven days
inline constexpr std::int32_t kRecurFortnightly = 4;    // every fourteen days
inline constexpr std::int32_t kRecurMonthlyWeekday = 5; // same weekday and week of the month, or its last such weekday
inline constexpr std::int32_t kRecurModeCount = 6;

// The years a recurring date may take; the date dialog offers the same range.
inline constexpr int kMinRecurYear = 1;
inline constexpr int kMaxRecurYear = 9999;

// Where the date dialog appears.
enum class DialogPlacement {
    CentredOnScreen,
    AtTopLeft, // at DialogTop and DialogLeft
};

// "1st", "2nd", "3rd", "4th", "11th", "12th", "13th", "21st", ...
std::string Ord(int n);

// The week of the month a day number falls in: days 1-7 are week 1, ..., days 29-31 week 5.
int WeekOfMonth(int day);

// The entry for rule `mode` in the date dialog's rule list, worded for `date` (e.g. "Every December 5th").
// Empty for a mode outside 0..5.
std::string RecurModeEntry(std::int32_t mode, const CivilDate& date, const DateLocale& locale);

// The date dialog's day clamping: the day is pulled back into the month (30-day months to 30, February to 28 or 29),
// and month and year into 1..12 and the supported years, so the result is always a date SetDate accepts.
CivilDate ClampDay(int year, int month, int day);

// Whether a reminder can hold the date: a valid date within the supported years.
bool IsRecurringDate(const CivilDate& date);

// A calendar date with a rule for its next occurrence, as carried by a reminder. The date is always valid and within
// the supported years; the rule may hold any number, and a rule outside 0..5 simply never moves the date.
class TRecurringDate
{
public:
    // Starts on today's date. Both references must outlive this object.
    TRecurringDate(const Clock& clock, const DateLocale& locale);

    std::uint16_t Year() const { return m_year; }
    std::uint16_t Month() const { return m_month; }
    std::uint16_t Day() const { return m_day; }
    std::int32_t RecurMode() const { return m_recurMode; }

    // Stores a valid date within the supported years and returns true; otherwise changes nothing and returns false.
    bool SetDate(const CivilDate& date);
    void SetRecurMode(std::int32_t mode) { m_recurMode = mode; }

    // Moves the date to its next occurrence by the rule. Rules 1 and 2 skip months (years) that lack the day, so
    // "every 31st" stays on the 31st and 29 February stays on leap years. An occurrence past the last supported year
    // leaves the date unchanged.
    void Advance();

    // "12/5/1997 and every following Friday" (the short date alone when the date does not recur).
    std::string GetDescription() const;
    // The date in the locale's short format.
    std::string GetDateText() const;
    CivilDate GetDate() const { return CivilDate{m_year, m_month, m_day}; }

    // The data file form "year,month,day,rule", e.g. "1997,12,5,3".
    std::string GetAsText() const;
    // Reads the data file form. Accepts exactly four comma-text parts that are decimal integers forming a valid date
    // within the supported years and a rule 0..5; anything else leaves everything unchanged and returns false.
    bool SetAsText(std::string_view text);

    // What the date dialog needs besides the date and rule.
    const Clock& GetClock() const { return *m_clock; }
    const DateLocale& Locale() const { return *m_locale; }

    // Dialog settings; they are not stored in the data file.
    bool UseToday = true; // the dialog starts on today's date rather than the stored one
    DialogPlacement DialogPosition = DialogPlacement::CentredOnScreen;
    int DialogTop = 0;
    int DialogLeft = 0;
    std::string DialogCaption = "Select a date";

private:
    void Store(const CivilDate& date);

    const Clock* m_clock;
    const DateLocale* m_locale;
    std::uint16_t m_year = 1970;
    std::uint16_t m_month = 1;
    std::uint16_t m_day = 1;
    std::int32_t m_recurMode = kRecurNone;
};

} // namespace quillary
