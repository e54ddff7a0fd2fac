// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// Quotes one argument so that splitting the command text (blanks separate, double quotes
// group, a tripled quote inside quotes stands for one) gives it back unchanged. Text without
// blanks or quotes stays as it is.
std::string QuoteArgument(std::string_view argument);

} // namespace quillary
