// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/html_text.h"

#include "common/utf8_text.h"

#include <ostream>

namespace quillary {

std::string EscapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : RepairUtf8(text)) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

void WriteHtmlLine(std::ostream& out, std::initializer_list<std::string_view> pieces)
{
    for (std::string_view piece : pieces)
        out << piece;
    out << "\r\n";
}

} // namespace quillary
