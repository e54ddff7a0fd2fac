// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillary {

// How often each byte occurs in a text, roughly: enough to tell rare bytes from common ones.
using ByteCounts = std::array<std::size_t, 256>;

void CountBytes(ByteCounts& counts, std::string_view text);

// Looks for a short needle in a long text by the byte of it that the text holds least often: the
// processor's fast byte search (memchr) runs over the text, and only where it stops is the
// needle compared. A needle led by a common letter ("a", "e") is found as fast as one of rare
// letters, where a search by the first byte would stop at every other word.
class RareByteSearch
{
public:
    RareByteSearch(std::string_view needle, const ByteCounts& counts);
    // The first place at or after from where the needle stands in text, or npos.
    std::size_t Find(std::string_view text, std::size_t from) const;

private:
    std::string_view m_needle;
    std::size_t m_rare = 0; // where in the needle its rarest byte stands
};

} // namespace quillary
