// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// Pieces of what a file supplied, short enough for a message: a file may hand over a name or a
// link of megabytes, or a list of millions of column names.

// The text cut after limit bytes (never inside a UTF-8 character) with "..." added.
std::string Excerpt(std::string_view text, std::size_t limit = 60);
// The same in double quotes.
std::string QuotedExcerpt(std::string_view text, std::size_t limit = 60);
// The first shown names, each an excerpt, joined by ", ", then "... and N more" when there are
// more.
std::string ListExcerpt(const std::vector<std::string>& names, std::size_t shown = 20);

} // namespace quillary
