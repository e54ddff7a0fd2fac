// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

namespace quillary {

// The most fields a row of delimited text, and the most parts one vCard value (ADR, N, ORG,
// CATEGORIES ...), may have. Real files stay far below (Outlook's contact export has about 90
// columns); without a cap every empty field costs a string, and a file of nothing but separators
// costs gigabytes. What exceeds it is refused with a reason, never cut short silently.
inline constexpr std::size_t MaxFieldsPerRow = 1024;

// The reason given for a row or value that exceeds the cap.
inline std::string TooManyFieldsReason()
{
    return "more than " + std::to_string(MaxFieldsPerRow) + " fields (the most a row may have)";
}

} // namespace quillary
