// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/quoted_excerpt.h"

namespace quillary {

std::string QuotedExcerpt(std::string_view text, std::size_t limit)
{
    if (text.size() <= limit)
        return "\"" + std::string(text) + "\"";
    std::size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return "\"" + std::string(text.substr(0, cut)) + "...\"";
}

} // namespace quillary
