// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_document.h"

#include <string>

namespace quillary {

// What the user is told when lines of a report did not fit whole in their places and were left
// out; empty when none were.
std::string LeftOutLinesMessage(const ReportDocument& document);

} // namespace quillary
