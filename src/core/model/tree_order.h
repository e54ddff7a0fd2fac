// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

class TKPXObject;

// The order of sibling nodes and of item-list entries: folders first, then by title without
// regard to the case of ASCII letters. Negative, zero or positive, like strcmp.
int FoldersCompare(const TKPXObject* a, const TKPXObject* b);

// The titles' part of that order.
int CompareTitles(std::string_view a, std::string_view b);

// Appends a title as CompareTitles sees it: titles compare as these forms of theirs compare byte
// by byte (as std::string_view compares), so a sort can compare copies kept side by side.
void AppendFoldedTitle(std::string& out, std::string_view title);

} // namespace quillary
