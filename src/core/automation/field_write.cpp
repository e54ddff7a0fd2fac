// SPDX-License-Identifier: GPL-3.0-or-later
#include "automation/field_write.h"

#include "automation/automation_error.h"
#include "exchange/record_types.h"
#include "model/field_record.h"
#include "model/items_party.h"

#include <algorithm>

namespace quillary {

namespace {
// A person's or organization's fields that it holds itself; the others belong to its details.
constexpr std::string_view PartyOwnFields[] = {"Title",   "Salutation", "First Name", "Middle Name", "Last Name",
                                               "Comment", "Company",    "Job Title",  "Suffix"};

bool IsParty(const TKPXObject& item)
{
    return dynamic_cast<const TPartyObject*>(&item) != nullptr;
}

bool IsPartyOwnField(std::string_view field)
{
    return std::find(std::begin(PartyOwnFields), std::end(PartyOwnFields), field) != std::end(PartyOwnFields);
}

// The value inside the export form "\"value\"," (inner quotes doubled); empty for anything else.
std::string Unquoted(std::string_view text)
{
    if (text.size() < 3 || text.front() != '"' || !text.ends_with("\","))
        return {};
    std::string value;
    const std::string_view inner = text.substr(1, text.size() - 3);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        value += inner[i];
        if (inner[i] == '"')
            ++i;
    }
    return value;
}

// The item's own record: the fields of its kind as it answers them now. A person's or
// organization's reading would make new primary details for contact fields, so only its own
// fields are offered to it.
FieldRecord CurrentRecord(const TKPXObject& item, const RecordType& type)
{
    FieldRecord record;
    for (const std::string_view name : type.fields) {
        if (IsParty(item) && !IsPartyOwnField(name))
            continue;
        record.names.emplace_back(name);
        record.values.push_back(Unquoted(item.GetFieldText(name)));
    }
    return record;
}

TKPXObject& PrimaryHolding(const TPartyObject& party, std::string_view field)
{
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot) {
        const auto s = static_cast<TPartyObject::Slot>(slot);
        const RecordType* type = RecordTypeOfKind(TPartyObject::SlotKind(s));
        if (!type || !OffersField(*type, field))
            continue;
        if (TKPXObject* child = party.PrimaryChild(s))
            return *child;
        throw AutomationError("The item has no primary detail for the field \"" + std::string(field) + "\"");
    }
    throw AutomationError("The item has no field \"" + std::string(field) + "\"");
}
} // namespace

void WriteItemField(TKPXObject& item, std::string_view field, std::string_view value)
{
    const RecordType* type = RecordTypeOfKind(item.GetKind());
    if (!type || !OffersField(*type, field))
        throw AutomationError("The item has no field \"" + std::string(field) + "\"");
    if (IsParty(item) && !IsPartyOwnField(field)) {
        WriteItemField(PrimaryHolding(static_cast<const TPartyObject&>(item), field), field, value);
        return;
    }
    FieldRecord before = CurrentRecord(item, *type);
    FieldRecord after = before;
    after.Set(field, value);
    if (item.ReadFields(after))
        return;
    // Refused: an item that its kind accepted before takes its old fields back; one that was
    // already incomplete (a bare inserted item) keeps the new value, as it lost nothing.
    if (item.ReadFields(before))
        throw AutomationError("The item does not accept this value for the field \"" + std::string(field) + "\"");
    FieldRecord again = before;
    again.Set(field, value);
    item.ReadFields(again);
}

} // namespace quillary
