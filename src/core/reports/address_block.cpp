// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/field_value.h"
#include "reports/report_sources.h"

namespace quillary {

std::vector<std::string> AddressBlock(const TKPXObject& item, CityLine rule)
{
    std::vector<std::string> block;
    for (const char* field : {"Address Line 1", "Address Line 2", "Address Line 3"})
        if (std::string line = FieldValue(item, field); !line.empty())
            block.push_back(std::move(line));
    const std::string city = FieldValue(item, "City");
    if (rule == CityLine::Always || !city.empty())
        block.push_back(city + ", " + FieldValue(item, "State/Province"));
    block.push_back(FieldValue(item, "Postal Code") + " " + FieldValue(item, "Country"));
    return block;
}

} // namespace quillary
