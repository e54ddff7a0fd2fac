// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quillary {

struct FieldRecord;

// Why an item of the kind refused the row, in words for an import report ("no first or last
// name", "no column for \"Phone Number\"", "\"Title\" is empty"). Only meaningful for a row the
// item did refuse; it names the first rule of the kind's reading that the row breaks.
std::string RejectedRowReason(int kind, const FieldRecord& record);

// Why the row's "Website" value cannot become a website (LinkProblem), or empty when it can or
// the row has none.
std::string WebsiteProblem(const FieldRecord& record);

} // namespace quillary
