// SPDX-License-Identifier: GPL-3.0-or-later
// Named fields of persons and organizations, which reach their contact details through their
// primary slots.
#include "model/create_item.h"
#include "model/field_record.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_tree.h"
#include "model/items_party.h"

namespace quillary {

void TPartyObject::ReadPrimaries(FieldRecord& record)
{
    // The item's own comment is not copied into its details.
    record.Set("Comment", "");
    for (const Slot slot : {SlotAddress, SlotPhone, SlotFax, SlotEMail, SlotWebsite}) {
        const std::string_view name = RowPrimaryTitle(slot);
        record.Set("Title", name);
        TKPXObject* child = CreateItem(SlotKind(slot), "New", "", "", *GetTreeNode(), "", 0);
        if (child->ReadFields(record))
            SetPrimary(slot, name);
        else
            DestroyItem(*child);
    }
}

std::string TPartyObject::GetFieldText(std::string_view field) const
{
    for (int slot = 0; slot < SlotCount; ++slot)
        if (const TKPXObject* child = PrimaryChild(static_cast<Slot>(slot))) {
            std::string text = child->GetFieldText(field);
            if (!text.empty())
                return text;
        }
    return ",";
}

bool TOrgObject::ReadFields(FieldRecord& record)
{
    const auto title = record.Get("Title");
    if (!title)
        return false;
    SetTitle(*title);
    if (const auto comment = record.Get("Comment"))
        SetComment(*comment);
    if (GetTitle().empty())
        return false;
    ReadPrimaries(record);
    return true;
}

std::string TOrgObject::GetFieldText(std::string_view field) const
{
    if (field == "Title")
        return QuotedField(GetTitle());
    if (field == "Comment")
        return QuotedField(GetComment());
    return TPartyObject::GetFieldText(field);
}

bool TPersonObject::ReadFields(FieldRecord& record)
{
    const auto field = [&](std::string_view name, TextView current) {
        return record.Get(name).value_or(std::string(current));
    };
    // The names as the item stores them, since the target is made of them.
    const std::string salutation = CleanFieldText(field("Salutation", Salutation()));
    const std::string first = CleanFieldText(field("First Name", FirstName()));
    const std::string middle = CleanFieldText(field("Middle Name", MiddleName()));
    const std::string last = CleanFieldText(field("Last Name", LastName()));
    const std::string target = first + " " + last;
    const std::array<TextView, SlotCount> slots = Slots();
    // Target, comment, slots, names and work fields lie side by side: one setting stores them.
    ChangeTexts(TargetText, {target, field("Comment", GetComment()), slots[0], slots[1], slots[2], slots[3], slots[4],
                             salutation, first, middle, last, field("Company", Company()),
                             field("Job Title", JobTitle()), field("Suffix", Suffix())});
    const auto title = record.Get("Title");
    if (target.size() <= 1) { // neither a first nor a last name
        if (title)
            SetTitle(*title);
        return false;
    }
    if (title || GetTitle().empty())
        SetTitle(title && !title->empty() ? *title : target);
    ReadPrimaries(record);
    return true;
}

std::string TPersonObject::GetFieldText(std::string_view field) const
{
    const std::pair<std::string_view, TextView> fields[] = {
        {"Title", GetTitle()},         {"Salutation", Salutation()}, {"First Name", FirstName()},
        {"Middle Name", MiddleName()}, {"Last Name", LastName()},    {"Comment", GetComment()},
        {"Company", Company()},        {"Job Title", JobTitle()},    {"Suffix", Suffix()}};
    for (const auto& [name, value] : fields)
        if (field == name)
            return QuotedField(value);
    return TPartyObject::GetFieldText(field);
}

} // namespace quillary
