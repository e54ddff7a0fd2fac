// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_text.h"

#include "common/byte_scan.h"

#include <algorithm>
#include <cstdint>

namespace quillary {

namespace {
bool IsLineBreaking(char c)
{
    return c == '\r' || c == '\n' || c == '\x1a';
}

constexpr std::uint64_t HighNibbles = 0xF0F0F0F0F0F0F0F0u;
constexpr std::uint64_t Zeros = 0x3030303030303030u;

// Whether all eight bytes are '0' to '9': their high halves are 3, and stay 3 with 6 added.
bool AllDigits(std::uint64_t word)
{
    return (word & HighNibbles) == Zeros && ((word + 0x0606060606060606u) & HighNibbles) == Zeros;
}

// The value of eight digits, the first in the lowest byte: pairs, then fours, then all eight
// are joined, each step within lanes wide enough that nothing carries into the next.
std::uint32_t EightDigitsValue(std::uint64_t word)
{
    word -= Zeros;
    word = (word * 10 + (word >> 8)) & 0x00FF00FF00FF00FFu;
    word = (word * 100 + (word >> 16)) & 0x0000FFFF0000FFFFu;
    word = (word * 10000 + (word >> 32)) & 0xFFFFFFFFu;
    return static_cast<std::uint32_t>(word);
}
} // namespace

bool IsCleanFieldText(std::string_view text)
{
    // Nearly every text holds none of the characters that matter: one quick pass says so.
    // Every character that matters is a control character or '~'.
    if (!HoldsByteBelowOr(text.data(), text.data() + text.size(), ' ', '~'))
        return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLineBreaking(text[i]))
            return false;
        if (text[i] == '~' && (i + 1 == text.size() || text[i + 1] == '~'))
            return false;
    }
    return true;
}

std::string CleanFieldText(std::string_view text)
{
    if (IsCleanFieldText(text))
        return std::string(text);
    std::string clean;
    clean.reserve(text.size() + 4);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        clean.push_back(IsLineBreaking(c) ? ' ' : c);
        if (c == '~' && (i + 1 == text.size() || text[i + 1] == '~'))
            clean.push_back(' ');
    }
    return clean;
}

std::string CleanLineText(std::string_view text)
{
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return clean;
}

std::int32_t ParseLenientInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::uint32_t value = 0;
    // Every record's identifier has up to ten digits: eight are taken in one step while there are.
    for (std::uint64_t word; text.size() - i >= 8 && AllDigits(word = byte_scan::Word(text.data() + i)); i += 8)
        value = value * 100000000u + EightDigitsValue(word);
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

} // namespace quillary
