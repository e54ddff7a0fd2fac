// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"
#include "model/yearly_origin.h"

#include <optional>
#include <string_view>

namespace quillary {

// The date of a BDAY or ANNIVERSARY value: "YYYY-MM-DD" or "YYYYMMDD", any time after a "T"
// ignored, or "--MMDD" / "--MM-DD" without a year, which takes yearWhenMissing (29 February the
// first leap year from it). None for anything else or a date that does not exist.
std::optional<CivilDate> ParseVCardDate(std::string_view text, int yearWhenMissing);

// The year a date without one is read in: a leap year, so that 29 February stands.
inline constexpr int YearOfYearlessDates = 2000;

// A date read from text (in YearOfYearlessDates when text gives no year) as a reminder keeps its
// origin: a text that starts with "--" gives none. None when a reminder could not hold the date.
std::optional<YearlyOrigin> OriginOfDate(const std::optional<CivilDate>& date, std::string_view text);
// A BDAY or ANNIVERSARY value as an origin.
std::optional<YearlyOrigin> ParseVCardOrigin(std::string_view text);

} // namespace quillary
