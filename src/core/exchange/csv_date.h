// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"
#include "model/yearly_origin.h"

#include <optional>
#include <string_view>

namespace quillary {

// Whether a date column holds no date: blank, or zeros only, as Outlook writes "0/0/00".
bool IsNoCsvDate(std::string_view text);

// A date as contact exports write it: "1985-04-12" or "--04-12" (Google; a date without a year
// takes yearWhenMissing), "4/12/1985" (Outlook in English: month first, unless the first number
// cannot be a month) or "12.4.1985" (day first). Years have four digits. None for anything else or
// a date that does not exist.
std::optional<CivilDate> ParseCsvDate(std::string_view text, int yearWhenMissing);
// The same as a reminder keeps its origin: a date without a year keeps none.
std::optional<YearlyOrigin> ParseCsvOrigin(std::string_view text);

} // namespace quillary
