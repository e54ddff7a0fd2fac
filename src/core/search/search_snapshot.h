// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/category_names.h"
#include "search/search_item.h"

#include <vector>

namespace quillary {

class TKPXObject;
class TPartyObject;
class TreeNode;

// Reads one person or organization for the search: its own texts, its detail children (phones,
// faxes, e-mail addresses, addresses, reminders), the websites below its node and its categories
// by the names given. Runs on the tree's thread.
SearchItem SearchItemOf(const TPartyObject& party, const CategoryNames& categories);

// Every person and organization at or below start, in tree order.
std::vector<SearchItem> SearchSnapshot(TreeNode& start, const CategoryNames& categories);

// The person or organization a changed item counts for: itself, the owner of a detail, the
// nearest one above a website; none for other items. The window re-reads it (SearchItemOf) to
// keep an index current.
const TPartyObject* SearchOwner(const TKPXObject& item);

} // namespace quillary
