// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillary {

// The text in double quotes for a message, cut after limit bytes (never inside a UTF-8 character)
// with "..." added: a file may hand over a name or link of megabytes.
std::string QuotedExcerpt(std::string_view text, std::size_t limit = 60);

} // namespace quillary
