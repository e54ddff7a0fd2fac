// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillary {

// The name under which the import takes a column as the titles of its group's details; no item
// field has it.
inline constexpr std::string_view LabelField = "Label";

// Today's exports number the column groups of details a contact may have several of ("Phone 2 -
// Label", "Phone 2 - Value", "Address 1 - Street" ...): Google Contacts writes them so (its older
// exports say "Type" for "Label"), and so does this program's own export with field names.
struct NumberedColumn
{
    int kind = 0;   // phone, fax, e-mail address, address or website
    int number = 0; // from 1
    std::string_view field;
};
// The group, number and field of a column name, in any case; none for other names.
std::optional<NumberedColumn> ParseNumberedColumn(std::string_view name);

// The parts of a group of the kind in the order the export writes them: the label first.
struct NumberedPart
{
    std::string_view part;
    std::string_view field;
};
std::span<const NumberedPart> NumberedParts(int kind);
std::string NumberedColumnName(int kind, int number, std::string_view part);

} // namespace quillary
