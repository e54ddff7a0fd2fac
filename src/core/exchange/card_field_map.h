// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace quillary {

// The fields a person or organization and its card share, one row each: the property that holds
// it in a card and the name cards before 4.0 give it, and for a field a card holds several of,
// the kind of item each becomes (a TEL marked FAX becomes a fax). The card writer and reader
// (CardOfParty, ReadCardParty) and synchronisation, which compares cards field by field, read
// the same rows.
struct CardFieldRow
{
    std::string_view property;
    std::string_view older = {};
    int detailKind = 0; // 0 for a field the item holds once
    bool Several() const { return detailKind != 0; }
};

enum class CardField : std::size_t
{
    Name,
    FormattedName,
    Organization,
    JobTitle,
    Note,
    Birthday,
    Anniversary,
    Phone,
    EMail,
    Address,
    Website,
};

const std::array<CardFieldRow, 11>& CardFieldRows();
const CardFieldRow& CardFieldOf(CardField field);

// The row of a property name (upper case, as a card line has it; an older name counts), or none.
const CardFieldRow* CardFieldNamed(std::string_view property);

} // namespace quillary
