// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quillary {

// Undoes escapes of a mark and two hex digits ("%20" with '%', "=0D" with '='), in either case;
// a mark without two hex digits after it stays as it is. The bytes come back as they were, so
// the result need not be valid UTF-8.
std::string DecodeHexEscapes(std::string_view text, char mark);

// Writes the mark and two upper-case hex digits for the byte.
void AppendHexEscape(std::string& out, unsigned char byte, char mark);

// The text with every byte that keep refuses written as "%" and two hex digits.
template <typename Keep> std::string PercentEncode(std::string_view text, Keep keep)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (keep(static_cast<unsigned char>(c)))
            out += c;
        else
            AppendHexEscape(out, static_cast<unsigned char>(c), '%');
    }
    return out;
}

} // namespace quillary
