// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/card_field_map.h"

#include "model/item_kind.h"

#include <algorithm>

namespace quillary {

const std::array<CardFieldRow, 11>& CardFieldRows()
{
    // In the order of CardField.
    static constexpr std::array<CardFieldRow, 11> rows = {{
        {"N"},
        {"FN"},
        {"ORG"},
        {"TITLE"},
        {"NOTE"},
        {"BDAY"},
        {"ANNIVERSARY", "X-ANNIVERSARY"},
        {"TEL", {}, KindPhone},
        {"EMAIL", {}, KindEMail},
        {"ADR", {}, KindAddress},
        {"URL", {}, KindWebsite},
    }};
    return rows;
}

const CardFieldRow& CardFieldOf(CardField field)
{
    return CardFieldRows()[static_cast<std::size_t>(field)];
}

const CardFieldRow* CardFieldNamed(std::string_view property)
{
    const auto& rows = CardFieldRows();
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const CardFieldRow& row) {
        return row.property == property || (!row.older.empty() && row.older == property);
    });
    return it == rows.end() ? nullptr : &*it;
}

} // namespace quillary
