// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_text.h"

#include "common/byte_scan.h"

#include <algorithm>

namespace quillary {

namespace {
bool IsLineBreaking(char c)
{
    return c == '\r' || c == '\n' || c == '\x1a';
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
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<std::int32_t>(negative ? 0u - value : value);
}

} // namespace quillary
