// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/category_filter.h"
#include "model/kpx_object.h"
#include "reports/range_items.h"
#include "reports/report_sources.h"

namespace quillary {

std::vector<ReportEntry> SimpleEntries(const ItemTree& tree, NodeRange range)
{
    std::vector<ReportEntry> entries;
    for (const TKPXObject* item : ItemsIn(tree, range)) {
        if (!IsFilteredOut(*item))
            entries.push_back({item->GetTitle(), item});
        for (int i = 0; i < item->ChildCount(); ++i)
            if (const TKPXObject* child = item->ChildAt(i); !IsFilteredOut(*child))
                entries.push_back({child->GetTitle(), child});
    }
    return entries;
}

} // namespace quillary
