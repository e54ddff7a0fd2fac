// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/field_record.h"

#include "common/ascii_case.h"

#include <algorithm>

namespace quillary {

std::optional<std::string> FieldRecord::Get(std::string_view name) const
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualsNoCase(names[i], name))
            return i < values.size() ? std::optional<std::string>(values[i]) : std::nullopt;
    return std::nullopt;
}

void FieldRecord::Set(std::string_view name, std::string_view value)
{
    for (std::size_t i = 0; i < names.size() && i < values.size(); ++i)
        if (EqualsNoCase(names[i], name)) {
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
