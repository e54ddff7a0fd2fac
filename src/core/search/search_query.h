// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One word of a query, folded. A word written as a phone number (digits and "+()-./", with
// at least four digits) also matches a phone or fax whose digits hold its digits.
struct SearchWord
{
    std::string text;
    std::string digits; // empty when the word is no phone number
};

// The words of a query, split at spaces, in any order; none when it holds only spaces. The
// longest come first, since they are the likeliest to rule an item out.
std::vector<SearchWord> ParseSearchQuery(std::string_view query);

} // namespace quillary
