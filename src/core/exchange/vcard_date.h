// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <optional>
#include <string_view>

namespace quillary {

// The date of a BDAY or ANNIVERSARY value: "YYYY-MM-DD" or "YYYYMMDD", any time after a "T"
// ignored, or "--MMDD" / "--MM-DD" without a year, which takes yearWhenMissing (29 February the
// first leap year from it). None for anything else or a date that does not exist.
std::optional<CivilDate> ParseVCardDate(std::string_view text, int yearWhenMissing);

} // namespace quillary
