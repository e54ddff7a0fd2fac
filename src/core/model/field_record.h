// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One row of a delimited text file with the names of its columns. A field is present when its
// name is among the names (compared without regard to ASCII case) and the row has a value at
// that position.
struct FieldRecord
{
    std::vector<std::string> names;
    std::vector<std::string> values;

    std::optional<std::string> Get(std::string_view name) const;
    // Replaces the value of a present field; a missing one stays missing.
    void Set(std::string_view name, std::string_view value);
};

// The text a field gives on export: the value in double quotes, inner quotes doubled, followed by
// a comma.
std::string QuotedField(std::string_view value);

} // namespace quillary
