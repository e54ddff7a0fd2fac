// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/yearly_origin.h"

#include <string_view>

namespace quillary {

class TKPXObject;
class TPersonObject;

// The reminder an imported birthday or anniversary becomes: titled title, under the person,
// recurring every year, dated at the next occurrence of origin on or after the tree's today and
// keeping origin, so that exports write the date as it was given. None when that occurrence lies
// outside the years a recurring date can hold.
TKPXObject* MakeYearlyReminder(TPersonObject& person, const YearlyOrigin& origin, std::string_view title);

} // namespace quillary
