// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Delimited text rows are split as comma text, which would drop empty fields and break fields at
// blanks. Protecting a row first puts every field in double quotes: a quote before the row and
// after it, and around every comma outside quotes, each unless one is already there. A field the
// row itself quotes keeps its quotes, and doubled quotes inside it still stand for one.
std::string ProtectLine(std::string_view line);

// The values of one protected row: "a,,b c" gives "a", "" and "b c". An empty row has none. A row
// of more than MaxFieldsPerRow values gives none but MaxFieldsPerRow + 1 of them, so the caller
// can refuse it; such a row is never protected or split whole.
std::vector<std::string> SplitProtectedLine(std::string_view line);

} // namespace quillary
