// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace quillary {

// An item belongs to any of 32 categories; the user names them. Category n (1 to 32) is element
// n-1 of the names and bit n-1 of an item's categories.
inline constexpr int CategoryCount = 32;
using CategoryNames = std::array<std::string, CategoryCount>;

} // namespace quillary
