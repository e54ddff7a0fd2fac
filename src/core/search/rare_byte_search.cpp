// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/rare_byte_search.h"

#include <cstring>

namespace quillary {

void CountBytes(ByteCounts& counts, std::string_view text)
{
    for (const char c : text)
        ++counts[static_cast<unsigned char>(c)];
}

RareByteSearch::RareByteSearch(std::string_view needle, const ByteCounts& counts) : m_needle(needle)
{
    for (std::size_t i = 1; i < needle.size(); ++i)
        if (counts[static_cast<unsigned char>(needle[i])] < counts[static_cast<unsigned char>(needle[m_rare])])
            m_rare = i;
}

std::size_t RareByteSearch::Find(std::string_view text, std::size_t from) const
{
    if (m_needle.empty())
        return from <= text.size() ? from : std::string_view::npos;
    const char rare = m_needle[m_rare];
    const char* const base = text.data();
    const std::size_t tail = m_needle.size() - m_rare; // the rare byte and what follows it
    // The rare byte stands at least m_rare bytes into the text the needle can start in.
    for (std::size_t at = from + m_rare; at + tail <= text.size();) {
        const void* found = std::memchr(base + at, rare, text.size() - at - tail + 1);
        if (!found)
            return std::string_view::npos;
        at = static_cast<std::size_t>(static_cast<const char*>(found) - base);
        if (std::memcmp(base + at - m_rare, m_needle.data(), m_needle.size()) == 0)
            return at - m_rare;
        ++at;
    }
    return std::string_view::npos;
}

} // namespace quillary
