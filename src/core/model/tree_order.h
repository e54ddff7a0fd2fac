// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillary {

class TKPXObject;

// The order of sibling nodes and of item-list entries: folders first, then by title without
// regard to the case of ASCII letters. Negative, zero or positive, like strcmp.
int FoldersCompare(const TKPXObject* a, const TKPXObject* b);

// The titles' part of that order.
int CompareTitles(std::string_view a, std::string_view b);

// A title's first eight bytes as CompareTitles sees them, in one number: titles whose keys
// differ compare as their keys do, so a sort compares most pairs without reading their text.
std::uint64_t TitleKey(std::string_view title);

} // namespace quillary
