// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// The date a birthday or an anniversary began, as a card or a row gave it, kept by the yearly
// reminder that stands on its next occurrence; the year may be unknown ("--04-23").
struct YearlyOrigin
{
    int year = 0; // 0 when the date came without a year
    int month = 1;
    int day = 1;

    bool HasYear() const { return year != 0; }
    auto operator<=>(const YearlyOrigin&) const = default;
};

// The origin of a date a reminder holds as it stands: the date itself, year included.
YearlyOrigin OriginOf(const CivilDate& date);

// The data file's form, "1970-04-23" or "--04-23".
std::string OriginText(const YearlyOrigin& origin);
// Reads that form; none for anything else, a date that does not exist or a year outside 1..9999.
std::optional<YearlyOrigin> ParseOriginText(std::string_view text);

// The first day on or after today (and not before the origin itself) that the date comes round:
// 29 February falls on 28 February in other years, so it is never noticed late.
CivilDate NextOccurrence(const YearlyOrigin& origin, const CivilDate& today);

// The date a reminder on reminderDate stands for. While it sits on an occurrence of its origin
// the origin is meant; a date the user moved to another day keeps the origin's year (or its lack
// of one) when that can be, else is taken as it is. Without an origin the reminder's date is it.
YearlyOrigin BeganOn(const std::optional<YearlyOrigin>& origin, const CivilDate& reminderDate);

// The years from an origin with a year to the reminder's date, as "turns 57" counts them; none
// without an origin year or before one whole year.
std::optional<int> YearsSince(const std::optional<YearlyOrigin>& origin, const CivilDate& reminderDate);

} // namespace quillary
