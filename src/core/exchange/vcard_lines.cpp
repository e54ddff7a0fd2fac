// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/vcard_lines.h"

#include "common/ascii_case.h"
#include "common/byte_scan.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace quillary {

namespace {
using Lines = std::span<const std::string_view>;

constexpr std::array<std::string_view, 14> KnownNames = {
    "FN",  "N",    "ADR",         "TEL",        "EMAIL",         "TITLE",     "ORG",
    "URL", "BDAY", "ANNIVERSARY", "CATEGORIES", "X-ANNIVERSARY", "X-ABLABEL", "X-ABDATE"};

// Where the group and name of a line end: its first ";" or ":", or npos.
std::size_t NameEnd(std::string_view line)
{
    const char* end = FindAnyByte(line.data(), line.data() + line.size(), ';', ':');
    return end == line.data() + line.size() ? std::string_view::npos : static_cast<std::size_t>(end - line.data());
}

// The property name of a line without its group, or the whole line when it has no ";" or ":".
std::string_view NameOf(std::string_view line)
{
    std::string_view name = line.substr(0, NameEnd(line));
    if (const std::size_t group = name.rfind('.'); group != std::string_view::npos)
        name.remove_prefix(group + 1);
    return name;
}

// A plain prefix test after the group, as 2.1 cards have always been read.
bool IsKnownOldLine(std::string_view line)
{
    const std::size_t group = line.substr(0, NameEnd(line)).rfind('.');
    const std::string_view named = group == std::string_view::npos ? line : line.substr(group + 1);
    return std::any_of(KnownNames.begin(), KnownNames.end(),
                       [&](std::string_view name) { return StartsWithNoCase(named, name); });
}

bool IsKnownModernLine(std::string_view line)
{
    const std::string_view name = NameOf(line);
    return EqualsNoCase(name, "NOTE") || std::any_of(KnownNames.begin(), KnownNames.end(),
                                                     [&](std::string_view known) { return EqualsNoCase(name, known); });
}

bool HeadContains(std::string_view line, std::string_view word)
{
    const std::string_view head = line.substr(0, line.find(':'));
    for (std::size_t i = 0; i + word.size() <= head.size(); ++i)
        if (EqualsNoCase(head.substr(i, word.size()), word))
            return true;
    return false;
}

bool IsFolded(std::string_view line)
{
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// Joins the lines that a quoted-printable value continues on ("=" at the end of a line).
std::string_view JoinSoftBreaks(std::string_view line, Lines lines, std::size_t& next, std::list<std::string>& joined)
{
    if (line.empty() || line.back() != '=' || next >= lines.size() || !HeadContains(line, "QUOTED-PRINTABLE"))
        return line;
    std::string& whole = joined.emplace_back(line);
    while (!whole.empty() && whole.back() == '=' && next < lines.size()) {
        whole.pop_back();
        whole += lines[next++];
    }
    return whole;
}

void NotePassedOver(std::string_view line, std::vector<std::string>* passedOver)
{
    if (passedOver)
        passedOver->push_back(UpperAscii(NameOf(line)));
}

std::vector<std::string_view> OldPropertyLines(Lines lines, std::list<std::string>& joined,
                                               std::vector<std::string>* passedOver)
{
    std::vector<std::string_view> kept;
    kept.reserve(lines.size());
    for (std::size_t next = 0; next < lines.size();) {
        const std::string_view line = JoinSoftBreaks(lines[next++], lines, next, joined);
        // Base64 data runs to an empty line; it never holds a colon, unlike the next property.
        if (HeadContains(line, "BASE64"))
            while (next < lines.size() && !lines[next].empty() && lines[next].find(':') == std::string_view::npos)
                ++next;
        if (IsKnownOldLine(line))
            kept.push_back(line);
        else if (!line.empty())
            NotePassedOver(line, passedOver);
    }
    return kept;
}

// The line at next and the folded lines after it, as one.
std::string_view Unfolded(std::string_view first, Lines lines, std::size_t& next, std::list<std::string>& joined)
{
    if (next >= lines.size() || !IsFolded(lines[next]))
        return first;
    std::string& whole = joined.emplace_back(first);
    while (next < lines.size() && IsFolded(lines[next]))
        whole.append(lines[next++].substr(1));
    return whole;
}

std::vector<std::string_view> ModernPropertyLines(Lines lines, std::list<std::string>& joined,
                                                  std::vector<std::string>* passedOver)
{
    std::vector<std::string_view> kept;
    kept.reserve(lines.size());
    for (std::size_t next = 0; next < lines.size();) {
        const std::string_view first = lines[next++];
        // A line whose name ends on it is judged once; a name folded before its end only once the
        // line is whole.
        const bool named = NameEnd(first) != std::string_view::npos;
        const bool wanted = !named || IsKnownModernLine(first);
        if (first.empty() || IsFolded(first) || !wanted) {
            if (!wanted)
                NotePassedOver(first, passedOver);
            while (next < lines.size() && IsFolded(lines[next]))
                ++next;
            continue;
        }
        const std::string_view line = JoinSoftBreaks(Unfolded(first, lines, next, joined), lines, next, joined);
        if (named || IsKnownModernLine(line))
            kept.push_back(line);
        else
            NotePassedOver(line, passedOver);
    }
    return kept;
}
} // namespace

VCardVersion CardVersion(Lines lines)
{
    for (const std::string_view line : lines)
        if (StartsWithNoCase(line, "VERSION:")) {
            std::string_view text = line.substr(8);
            while (!text.empty() && text.back() == ' ')
                text.remove_suffix(1);
            return ParseVCardVersion(text).value_or(VCardVersion::V21);
        }
    return VCardVersion::V21;
}

std::vector<std::string_view> UnfoldedCardLines(Lines lines, std::list<std::string>& joined)
{
    std::vector<std::string_view> unfolded;
    unfolded.reserve(lines.size());
    for (std::size_t next = 0; next < lines.size();) {
        const std::string_view first = lines[next++];
        if (!first.empty() && !IsFolded(first))
            unfolded.push_back(Unfolded(first, lines, next, joined));
    }
    return unfolded;
}

std::size_t ValueColon(std::string_view line)
{
    // Most lines quote nothing: the first colon ends their name.
    const char* const end = line.data() + line.size();
    const char* stop = FindAnyByte(line.data(), end, ':', '"');
    if (stop == end)
        return std::string_view::npos;
    if (*stop == ':')
        return static_cast<std::size_t>(stop - line.data());
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return line.find(':'); // an unclosed quote: the first colon after all
}

std::vector<std::string_view> CardPropertyLines(Lines lines, VCardVersion version, std::list<std::string>& joined,
                                                std::vector<std::string>* passedOver)
{
    return version == VCardVersion::V21 ? OldPropertyLines(lines, joined, passedOver)
                                        : ModernPropertyLines(lines, joined, passedOver);
}

} // namespace quillary
