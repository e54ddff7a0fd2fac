// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_excerpt.h"

#include <algorithm>

namespace quillary {

std::string Excerpt(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return std::string(text);
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(text.substr(0, cut)) + "...";
}

std::string QuotedExcerpt(std::string_view text, std::size_t limit)
{
    return "\"" + Excerpt(text, limit) + "\"";
}

std::string ListExcerpt(const std::vector<std::string>& names, std::size_t shown)
{
    std::string list;
    const std::size_t listed = std::min(names.size(), shown);
    for (std::size_t i = 0; i < listed; ++i)
        list += (i == 0 ? "" : ", ") + Excerpt(names[i], 40);
    if (listed < names.size())
        list += " ... and " + std::to_string(names.size() - listed) + " more";
    return list;
}

} // namespace quillary
