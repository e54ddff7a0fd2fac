// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>

namespace quillary {

// The fields a search reads of a person or organization and of its details.
enum class SearchField : std::uint8_t {
    Title,
    Salutation,
    FirstName,
    MiddleName,
    LastName,
    Company,
    JobTitle,
    Phone,
    Fax,
    EMail,
    Website,
    Address,
    City,
    State,
    PostalCode,
    Country,
    Reminder,
    Comment,
    Category,
};

// The field's name as results show it ("Phone", "E-Mail", "Postal Code").
std::string_view SearchFieldName(SearchField field);

// Phones and faxes, whose digits match whatever the format.
constexpr bool IsNumberField(SearchField field)
{
    return field == SearchField::Phone || field == SearchField::Fax;
}

} // namespace quillary
