// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// The characters of a phone number that a dialler acts on: digits, "+", "*", "#" and the pauses
// "," and ";". Blanks, brackets, dashes and anything else are dropped.
std::string DialableNumber(std::string_view number);

} // namespace quillary
