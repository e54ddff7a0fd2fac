// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/kpx_object.h"
#include "reports/field_value.h"
#include "reports/party_kind.h"
#include "reports/range_items.h"
#include "reports/report_sources.h"

namespace quillary {

namespace {

ListingRecord MakeListingRecord(const TKPXObject& item)
{
    ListingRecord record;
    record.name = FieldValue(item, "Title");
    record.address.push_back(record.name);
    for (std::string& line : AddressBlock(item, CityLine::Always))
        record.address.push_back(std::move(line));
    record.phone = FieldValue(item, "Phone Number");
    record.fax = FieldValue(item, "Fax Number");
    record.email = FieldValue(item, "E-Mail Address");
    record.url = FieldValue(item, "Website");
    return record;
}

} // namespace

ListingSource::ListingSource(const ItemTree& tree, NodeRange range)
    : m_tree(tree), m_range(range), m_position(range.first)
{
}

// The chosen node itself is passed over: printing from a folder lists what lies below it.
bool ListingSource::Next(ListingRecord& record)
{
    while (m_position < m_range.last) {
        ++m_position;
        const TKPXObject* item = ItemAt(m_tree, m_position);
        if (item && IsShownParty(*item)) {
            record = MakeListingRecord(*item);
            return true;
        }
    }
    record = {};
    return false;
}

} // namespace quillary
