// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace quillary {

// A kind of record that a delimited text file can carry, with the fields it offers in the order
// they are listed to the user. The field names are the vocabulary shared by file columns and
// items.
struct RecordType
{
    std::string_view text;
    int kind;
    std::span<const std::string_view> fields;
};

// Person, Organization, Website Addresses, Addresses, Phone Numbers, E-mail Addresses, FAX Numbers.
std::span<const RecordType> RecordTypes();
// The record type of an item kind, or none for kinds no file carries.
const RecordType* RecordTypeOfKind(int kind);
bool OffersField(const RecordType& type, std::string_view field);

} // namespace quillary
