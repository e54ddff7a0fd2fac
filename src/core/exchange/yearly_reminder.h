// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/civil_date.h"

#include <string_view>

namespace quillary {

class TKPXObject;
class TPersonObject;

// The reminder an imported birthday or anniversary becomes: titled title, under the person,
// recurring every year on date. It holds the date as given (the year of birth, say), so it shows
// as due until it is first advanced. None when the date lies outside the years a recurring date
// can hold.
TKPXObject* MakeYearlyReminder(TPersonObject& person, const CivilDate& date, std::string_view title);

} // namespace quillary
