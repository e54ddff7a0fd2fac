// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/tel_uri.h"

#include <algorithm>
#include <array>

namespace quillary {

namespace {

constexpr std::size_t None = std::string_view::npos;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsLetter(char c)
{
    return Lower(c) >= 'a' && Lower(c) <= 'z';
}

char KeypadDigit(char letter)
{
    static constexpr std::string_view Keys = "22233344455566677778889999";
    return Keys[static_cast<std::size_t>(Lower(letter) - 'a')];
}

// What may stand between an extension's marker and its digits: "ext. 12", "x:12", "ext=12".
bool IsMarkerGap(char c)
{
    return c == ' ' || c == '\t' || c == '.' || c == ':' || c == '=' || c == '-';
}

bool IsMarkerWord(std::string_view word)
{
    static constexpr std::array<std::string_view, 4> Words{"x", "ext", "extn", "extension"};
    return std::any_of(Words.begin(), Words.end(), [&](std::string_view marker) {
        return marker.size() == word.size() &&
               std::equal(marker.begin(), marker.end(), word.begin(), [](char a, char b) { return a == Lower(b); });
    });
}

std::size_t SkipGapsBack(std::string_view text, std::size_t pos)
{
    while (pos > 0 && IsMarkerGap(text[pos - 1]))
        --pos;
    return pos;
}

// The start of a marker word ending just before pos (gaps skipped), or None.
std::size_t MarkerWordStart(std::string_view text, std::size_t pos)
{
    const std::size_t end = SkipGapsBack(text, pos);
    std::size_t start = end;
    while (start > 0 && IsLetter(text[start - 1]))
        --start;
    return start < end && IsMarkerWord(text.substr(start, end - start)) ? start : None;
}

// The start of a run of "#", "," or ";" ending just before pos (gaps skipped), or None. A "#" in
// a number that already holds "*" or "#" belongs to a service code, not to an extension.
std::size_t MarkerSymbolStart(std::string_view text, std::size_t pos)
{
    const std::size_t end = SkipGapsBack(text, pos);
    if (end == 0 || (text[end - 1] != '#' && text[end - 1] != ',' && text[end - 1] != ';'))
        return None;
    const char symbol = text[end - 1];
    std::size_t start = end;
    while (start > 0 && text[start - 1] == symbol)
        --start;
    if (symbol == '#' && text.substr(0, start).find_first_of("*#") != None)
        return None;
    return start;
}

struct NumberParts
{
    std::string_view main;
    std::string_view extension;
};

// Splits off a final extension; a marker word left without digits ("555-1234 ext.") is dropped.
NumberParts SplitExtension(std::string_view text)
{
    const std::size_t end = text.find_last_not_of(" \t") + 1; // 0 for a blank text
    std::size_t digits = end;
    while (digits > 0 && IsDigit(text[digits - 1]))
        --digits;
    if (digits == end) {
        const std::size_t word = MarkerWordStart(text, end);
        return {word == None ? text : text.substr(0, word), {}};
    }
    std::size_t marker = MarkerWordStart(text, digits);
    if (marker == None)
        marker = MarkerSymbolStart(text, digits);
    if (marker == None)
        return {text, {}};
    return {text.substr(0, marker), text.substr(digits, end - digits)};
}

} // namespace

std::optional<DialString> ReadDialString(std::string_view text)
{
    const NumberParts parts = SplitExtension(text);
    DialString dial;
    bool digitSeen = false;
    for (std::size_t i = 0; i < parts.main.size(); ++i) {
        const char c = parts.main[i];
        if (IsDigit(c)) {
            dial.number += c;
            digitSeen = true;
        } else if (c == '+' && dial.number.empty()) {
            dial.number += c;
        } else if (c == '*' || c == '#') {
            dial.number += c;
        } else if (IsLetter(c) && digitSeen) {
            dial.number += KeypadDigit(c);
        } else if (digitSeen && dial.number.front() == '+' && parts.main.substr(i, 3) == "(0)") {
            i += 2; // the trunk prefix is not dialled from abroad
        }
    }
    if (!digitSeen)
        return std::nullopt;
    dial.extension = std::string(parts.extension);
    return dial;
}

std::string TelUri(const DialString& dial)
{
    std::string uri = "tel:";
    for (const char c : dial.number)
        uri += c == '#' ? std::string("%23") : std::string(1, c);
    if (!dial.extension.empty())
        uri += ";ext=" + dial.extension;
    return uri;
}

std::string NumberWithExtension(std::string_view number, std::string_view extension)
{
    std::string digits;
    std::copy_if(extension.begin(), extension.end(), std::back_inserter(digits), IsDigit);
    const std::optional<DialString> dial = ReadDialString(number);
    if (digits.empty() || !dial || !dial->extension.empty())
        return std::string(number);
    return std::string(number) + " ext " + digits;
}

std::string UndialableMessage(std::string_view number)
{
    if (number.find_first_not_of(" \t") == None)
        return "There is no phone number to dial.";
    return "\"" + std::string(number) + "\" holds no phone number to dial.";
}

} // namespace quillary
