// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/company_text.h"

namespace quillary {

namespace {
constexpr std::string_view Separator = "; ";
} // namespace

std::string CompanyText(const std::vector<std::string>& components)
{
    // "ORG:Acme;" is how many cards say there is no unit.
    std::size_t count = components.size();
    while (count > 0 && components[count - 1].empty())
        --count;
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text.append(i == 0 ? "" : Separator).append(components[i]);
    return text;
}

std::vector<std::string> CompanyComponents(std::string_view text)
{
    std::vector<std::string> components;
    if (text.empty())
        return components;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(Separator, start);
        components.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return components;
        start = end + Separator.size();
    }
}

} // namespace quillary
