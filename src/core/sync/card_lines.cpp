// SPDX-License-Identifier: GPL-3.0-or-later
#include "sync/card_lines.h"

#include "common/ascii_case.h"
#include "exchange/vcard_escapes.h"

namespace quillary {

namespace {
std::vector<std::string> UnfoldedLines(std::string_view card)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < card.size()) {
        std::size_t end = card.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = card.size();
        const std::string_view line = card.substr(pos, end - pos);
        pos = end;
        if (pos < card.size() && card[pos] == '\r')
            ++pos;
        if (pos < card.size() && card[pos] == '\n')
            ++pos;
        if (!line.empty() && (line.front() == ' ' || line.front() == '\t') && !lines.empty())
            lines.back().append(line.substr(1));
        else if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

// The position of the ":" that ends the name and parameters: the first one outside double quotes.
std::size_t ValueColon(std::string_view line)
{
    std::size_t pos = line.find_first_of(":\"");
    while (pos != std::string_view::npos && line[pos] == '"') {
        const std::size_t close = line.find('"', pos + 1);
        pos = close == std::string_view::npos ? close : line.find_first_of(":\"", close + 1);
    }
    return pos;
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
    std::vector<CardLine> result;
    for (const std::string& text : UnfoldedLines(card)) {
        const std::size_t colon = ValueColon(text);
        if (colon == std::string::npos)
            continue;
        const std::string_view head = std::string_view(text).substr(0, colon);
        const std::size_t semicolon = head.find(';');
        std::string_view name = head.substr(0, semicolon);
        CardLine line;
        if (const std::size_t dot = name.find('.'); dot != std::string_view::npos) {
            line.group = std::string(name.substr(0, dot));
            name.remove_prefix(dot + 1);
        }
        line.name = UpperAscii(name);
        line.spelled = std::string(name);
        if (semicolon != std::string_view::npos)
            line.params = std::string(head.substr(semicolon + 1));
        line.value = text.substr(colon + 1);
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
    for (const std::string& text : UnfoldedLines(card)) {
        const std::size_t colon = text.find(':');
        if (colon != std::string::npos && UpperAscii(std::string_view(text).substr(0, colon)) == "VERSION")
            return text.substr(colon + 1);
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
