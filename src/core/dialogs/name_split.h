// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillary {

// The name parts a person's title fills in; a part left empty (nullopt) keeps the field's current text.
struct NameSplit
{
    std::optional<std::string> first;
    std::optional<std::string> middle;
    std::optional<std::string> last;
};

// Splits a person's title into words by the comma-text rules (blanks and commas separate, double quotes group). Fewer
// than two words fill nothing; otherwise word 1 is the first name; exactly two words: word 2 is the last name; three
// or more: word 2 is the middle and word 3 the last name, further words are ignored.
NameSplit SplitPersonTitle(std::string_view title);

} // namespace quillary
