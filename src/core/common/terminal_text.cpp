// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/terminal_text.h"

#include "common/utf8_text.h"

namespace quillary {

namespace {
constexpr std::string_view Hex = "0123456789abcdef";

void AppendEscape(std::string& out, std::string_view prefix, char32_t code, int digits)
{
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += Hex[(code >> shift) & 0xF];
}

// Characters that change how the text around them is shown without being seen: the direction
// marks, embeddings, overrides and isolates (which can show a name backwards or hide part of a
// line), the line and paragraph separators, invisible spaces and operators, the byte order mark,
// interlinear annotations and tags. The zero-width non-joiner and joiner stay: scripts such as
// Persian and Devanagari need them, and they move nothing.
bool IsHiddenFormat(char32_t code)
{
    if (code == 0x200C || code == 0x200D)
        return false;
    return code == 0x00AD || (code >= 0x0600 && code <= 0x0605) || code == 0x061C || code == 0x06DD ||
           code == 0x070F || code == 0x0890 || code == 0x0891 || code == 0x08E2 || code == 0x180E ||
           (code >= 0x200B && code <= 0x200F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2060 && code <= 0x2064) || (code >= 0x2066 && code <= 0x206F) || code == 0xFEFF ||
           (code >= 0xFFF9 && code <= 0xFFFB) || code == 0x110BD || code == 0x110CD ||
           (code >= 0x13430 && code <= 0x1343F) || (code >= 0x1BCA0 && code <= 0x1BCA3) ||
           (code >= 0x1D173 && code <= 0x1D17A) || code == 0xE0001 || (code >= 0xE0020 && code <= 0xE007F);
}

// The code point of the well-formed sequence at text[i], and its length.
char32_t Decode(std::string_view text, std::size_t i, std::size_t& length)
{
    const auto byte = static_cast<unsigned char>(text[i]);
    length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
    if (i + length > text.size()) {
        length = 1;
        return byte;
    }
    char32_t code = length == 1 ? byte : byte & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k)
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    return code;
}
} // namespace

std::string TerminalText(std::string_view text, bool keepLineBreaks)
{
    const std::string utf8 = RepairUtf8(text);
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t code = Decode(utf8, i, length);
        if ((code < 0x20 && !(keepLineBreaks && code == '\n')) || code == 0x7F)
            AppendEscape(shown, "\\x", code, 2);
        else if ((code >= 0x80 && code <= 0x9F) || (code <= 0xFFFF && IsHiddenFormat(code)))
            AppendEscape(shown, "\\u", code, 4);
        else if (IsHiddenFormat(code))
            AppendEscape(shown, "\\U", code, 8);
        else
            shown.append(utf8, i, length);
        i += length;
    }
    return shown;
}

} // namespace quillary
