// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/terminal_text.h"

#include "common/utf8_text.h"

namespace quillary {

namespace {
constexpr std::string_view Hex = "0123456789abcdef";

void AppendEscape(std::string& out, std::string_view prefix, unsigned code, int digits)
{
    out += prefix;
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += Hex[(code >> shift) & 0xF];
}
} // namespace

std::string TerminalText(std::string_view text, bool keepLineBreaks)
{
    const std::string utf8 = RepairUtf8(text);
    std::string shown;
    shown.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        // U+0080 to U+009F are C2 80 to C2 9F in UTF-8.
        const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0U;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendEscape(shown, "\\u", next, 4);
            ++i;
        } else if ((byte < 0x20 && !(keepLineBreaks && byte == '\n')) || byte == 0x7F) {
            AppendEscape(shown, "\\x", byte, 2);
        } else {
            shown += utf8[i];
        }
    }
    return shown;
}

} // namespace quillary
