// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_record.h"

#include <algorithm>

namespace quillary {

namespace {
bool SameName(std::string_view a, std::string_view b)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}
} // namespace

std::optional<std::string> FieldRecord::Get(std::string_view name) const
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameName(names[i], name))
            return i < values.size() ? std::optional<std::string>(values[i]) : std::nullopt;
    return std::nullopt;
}

void FieldRecord::Set(std::string_view name, std::string_view value)
{
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
        if (SameName(names[i], name)) {
            values[i] = std::string(value);
            return;
        }
}

std::string QuotedField(std::string_view value)
{
    // Inner quotes are doubled, as the comma-text reader that takes rows back expects.
    std::string text = "\"";
    for (const char c : value) {
        text += c;
        if (c == '"')
            text += '"';
    }
    text += "\",";
    return text;
}

} // namespace quillary
