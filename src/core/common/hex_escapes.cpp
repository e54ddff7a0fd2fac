// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/hex_escapes.h"

namespace quillary {

namespace {
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}
} // namespace

std::string DecodeHexEscapes(std::string_view text, char mark)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = text[i] == mark && i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? HexDigit(text[i + 2]) : -1;
        if (low < 0) {
            out += text[i];
            continue;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

void AppendHexEscape(std::string& out, unsigned char byte, char mark)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    out += mark;
    out += Hex[byte >> 4];
    out += Hex[byte & 0xF];
}

} // namespace quillary
