// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reports/report_sources.h"

#include <vector>

namespace quillary {

// The item of the node at an absolute index, or none when the index lies outside the tree.
const TKPXObject* ItemAt(const ItemTree& tree, int absoluteIndex);

// The items of the range's nodes in tree order; indexes beyond the tree's end are left out.
std::vector<const TKPXObject*> ItemsIn(const ItemTree& tree, NodeRange range);

} // namespace quillary
