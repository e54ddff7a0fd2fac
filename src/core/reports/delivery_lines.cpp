// SPDX-License-Identifier: GPL-3.0-or-later
#include "reports/report_sources.h"

namespace quillary {

std::vector<std::string> DeliveryLines(const std::string& name, const TKPXObject* address)
{
    if (!address)
        return {};
    std::vector<std::string> lines{name};
    for (std::string& line : AddressBlock(*address, CityLine::Always))
        lines.push_back(std::move(line));
    return lines;
}

} // namespace quillary
