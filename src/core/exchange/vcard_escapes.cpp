// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_escapes.h"

#include <algorithm>

namespace quillary {

namespace {
constexpr std::size_t FoldWidth = 75;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text with each backslash followed by one of escaped replaced by what follows it ("n" and
// "N" by a line break); other backslashes stay.
std::string Unescaped(std::string text, std::string_view escaped)
{
    std::size_t slash = text.find('\\');
    if (slash == std::string::npos)
        return text;
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (; slash != std::string::npos; slash = text.find('\\', start)) {
        out.append(text, start, slash - start);
        const char next = slash + 1 < text.size() ? text[slash + 1] : '\0';
        if (next != '\0' && escaped.find(next) != std::string_view::npos) {
            out += next == 'n' || next == 'N' ? '\n' : next;
            start = slash + 2;
        } else {
            out += '\\';
            start = slash + 1;
        }
    }
    return out.append(text, start);
}
} // namespace

std::vector<std::string> SplitUnescaped(std::string_view text, char separator, std::size_t limit)
{
    std::vector<std::string> parts;
    if (separator == '\0') {
        parts.emplace_back(text);
        return parts;
    }
    // Escaped separators count too: room for one part more at most is no harm.
    parts.reserve(std::min<std::size_t>(std::count(text.begin(), text.end(), separator), limit) + 1);
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size() && parts.size() <= limit; ++i) {
        if (text[i] == '\\')
            ++i; // an escape stays whole, the character after the backslash included
        else if (text[i] == separator) {
            parts.emplace_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    if (parts.size() <= limit)
        parts.emplace_back(text.substr(start));
    return parts;
}

std::string UnescapeValue(std::string text)
{
    return Unescaped(std::move(text), ",;\\:nN");
}

std::string UnescapeOldValue(std::string text)
{
    return Unescaped(std::move(text), ",;\\");
}

std::string EscapeOldValue(std::string_view text, bool followed)
{
    if (text.find_first_of(";\\") == std::string_view::npos)
        return std::string(text);
    std::string out;
    out.reserve(text.size() + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : (followed ? ';' : '\0');
        if (text[i] == ';' || (text[i] == '\\' && std::string_view(";,\\").find(next) != std::string_view::npos))
            out += '\\';
        out += text[i];
    }
    return out;
}

void AppendEscapedValue(std::string& out, std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\\n";
            continue;
        }
        if (c == '\\' || c == ',' || c == ';')
            out += '\\';
        out += c;
    }
}

void AppendFoldedLine(std::string& out, std::string_view line)
{
    std::size_t width = FoldWidth;
    while (line.size() > width) {
        std::size_t cut = width;
        while (cut > 1 && IsContinuationByte(line[cut]))
            --cut;
        out.append(line.substr(0, cut)).append("\r\n ");
        line.remove_prefix(cut);
        width = FoldWidth - 1; // the leading blank counts
    }
    out.append(line).append("\r\n");
}

} // namespace quillary
