// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_content_lines.h"

#include "common/ascii_case.h"
#include "exchange/vcard_escapes.h"
#include "exchange/vcard_lines.h"

#include <list>

namespace quillary {

namespace {
// The lines of a text, each without its end (CR, LF or CR LF).
std::vector<std::string_view> TextLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size() && text[pos] == '\r')
            ++pos;
        if (pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return lines;
}

// One unfolded line taken apart; a line without a value colon gives a line without a name.
CardLine SplitCardLine(std::string_view text)
{
    CardLine line;
    const std::size_t colon = ValueColon(text);
    if (colon == std::string_view::npos)
        return line;
    const std::string_view head = text.substr(0, colon);
    const std::size_t semicolon = head.find(';');
    std::string_view name = head.substr(0, semicolon);
    if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
        line.group = std::string(name.substr(0, dot));
        name.remove_prefix(dot + 1);
    }
    line.name = UpperAscii(name);
    if (line.name != name)
        line.spelled = std::string(name);
    if (semicolon != std::string_view::npos)
        line.params = std::string(head.substr(semicolon + 1));
    line.value = std::string(text.substr(colon + 1));
    return line;
}

bool IsFrame(const CardLine& line)
{
    return line.group.empty() && (line.name == "BEGIN" || line.name == "END" || line.name == "VERSION");
}
} // namespace

std::string CardLine::Text() const
{
    const std::string& shown = spelled.empty() ? name : spelled;
    std::string text = group.empty() ? shown : group + "." + shown;
    if (!params.empty())
        text.append(";").append(params);
    return text.append(":").append(value);
}

CardLine PlainLine(std::string name, std::string value)
{
    CardLine line;
    line.name = std::move(name);
    line.value = std::move(value);
    return line;
}

std::vector<CardLine> ParseCardLines(std::string_view card)
{
    const std::vector<std::string_view> lines = TextLines(card);
    std::list<std::string> joined;
    std::vector<CardLine> result;
    for (const std::string_view text : UnfoldedCardLines(lines, joined)) {
        CardLine line = SplitCardLine(text);
        if (!line.name.empty() && !IsFrame(line))
            result.push_back(std::move(line));
    }
    return result;
}

std::string WriteCardText(const std::vector<CardLine>& lines, std::string_view version)
{
    std::string out = "BEGIN:VCARD\r\nVERSION:";
    out.append(version).append("\r\n");
    for (const CardLine& line : lines)
        AppendFoldedLine(out, line.Text());
    return out.append("END:VCARD\r\n");
}

std::string CardTextVersion(std::string_view card)
{
    const std::vector<std::string_view> lines = TextLines(card);
    std::list<std::string> joined;
    for (const std::string_view text : UnfoldedCardLines(lines, joined)) {
        const std::size_t colon = text.find(':');
        if (colon != std::string_view::npos && EqualsNoCase(text.substr(0, colon), "VERSION"))
            return std::string(text.substr(colon + 1));
    }
    return {};
}

std::string EscapeCardText(std::string_view text)
{
    std::string out;
    AppendEscapedValue(out, text);
    return out;
}

std::string UnescapeCardText(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += (next == 'n' || next == 'N') ? ' ' : next;
    }
    return out;
}

} // namespace quillary
