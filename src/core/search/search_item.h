// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "search/search_field.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quillary {

class TKPXObject;

struct SearchItemValue
{
    SearchField field = SearchField::Title;
    std::string value;
};

// What the search knows of one person or organization: copies of its texts and its details',
// taken on the tree's thread, so the index can be built from them on another.
struct SearchItem
{
    // The item's handle: it names the item while the item lives and is never read by the index.
    const TKPXObject* item = nullptr;
    std::int32_t id = 0;
    // The title first (always, empty or not), then the names and work fields, each detail's values (and comment) in the
    // details' order, the websites, the comment and the categories' names. A result names the
    // first value that matches.
    std::vector<SearchItemValue> values;
};

} // namespace quillary
