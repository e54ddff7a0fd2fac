// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/category_filter.h"
#include "model/item_kind.h"
#include "model/kpx_object.h"
#include "reports/party_kind.h"
#include "reports/range_items.h"
#include "reports/report_sources.h"

namespace quillary {

namespace {

void AddAddresses(const TKPXObject& item, std::vector<ReportEntry>& entries)
{
    for (int i = 0; i < item.ChildCount(); ++i) {
        const TKPXObject* child = item.ChildAt(i);
        if (child->GetKind() == KindAddress && !IsFilteredOut(*child))
            entries.push_back({child->GetTitle(), child});
    }
}

} // namespace

std::vector<ReportEntry> LabelEntries(const ItemTree& tree, NodeRange range)
{
    std::vector<ReportEntry> entries;
    for (const TKPXObject* item : ItemsIn(tree, range)) {
        if (IsShownParty(*item))
            // A person's target is its composed name.
            entries.push_back({item->GetKind() == KindPerson ? item->GetTarget() : item->GetTitle(), item});
        else
            AddAddresses(*item, entries);
    }
    return entries;
}

std::vector<std::string> LabelLines(const ReportEntry& entry)
{
    std::vector<std::string> lines{entry.key};
    for (std::string& line : AddressBlock(*entry.item, CityLine::WhenCityGiven))
        lines.push_back(std::move(line));
    return lines;
}

} // namespace quillary
