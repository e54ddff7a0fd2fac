// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_export_details.h"

#include "exchange/csv_export.h"
#include "exchange/csv_header_map.h"
#include "exchange/csv_numbered_columns.h"
#include "model/category_filter.h"
#include "model/field_record.h"
#include "model/item_kind.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "model/tree_walk.h"

#include <algorithm>
#include <cstdio>

namespace quillary {

namespace {
using Slot = TPartyObject::Slot;

// Per slot, the field whose choice brings its kind's groups.
constexpr std::string_view ValueFields[TPartyObject::SlotCount] = {"Address Line 1", "Phone Number", "Fax Number",
                                                                   "E-Mail Address", "Website"};
constexpr std::string_view DateTitles[] = {BirthdayField, AnniversaryField};

bool IsParty(const TKPXObject& item)
{
    return item.GetKind() == KindPerson || item.GetKind() == KindOrganization;
}

// The party's details of a kind: the primary first, then the others as they stand.
std::vector<const TKPXObject*> DetailsOfKind(const TPartyObject& party, Slot slot)
{
    const int kind = TPartyObject::SlotKind(slot);
    const TKPXObject* primary = party.PrimaryChild(slot);
    std::vector<const TKPXObject*> details;
    if (primary)
        details.push_back(primary);
    const auto add = [&](const TKPXObject* item) {
        if (item && item->GetKind() == kind && item != primary)
            details.push_back(item);
    };
    if (kind == KindWebsite)
        for (int i = 0; i < party.GetTreeNode()->ChildCount(); ++i)
            add(party.GetTreeNode()->ChildAt(i)->Data());
    else
        for (int i = 0; i < party.ChildCount(); ++i)
            add(party.ChildAt(i));
    return details;
}

// Whether the chosen column of the slot's kind says all there is: no detail of the kind, or
// only the primary, titled as an import of the row would title it.
bool FitsChosenColumns(const TPartyObject& party, Slot slot, const std::vector<const TKPXObject*>& details)
{
    return details.empty() || (details.size() == 1 && details.front() == party.PrimaryChild(slot) &&
                               details.front()->GetTitle() == TPartyObject::RowPrimaryTitle(slot));
}

const TReminderObject* ReminderTitled(const TKPXObject& item, std::string_view title)
{
    return dynamic_cast<const TReminderObject*>(item.FindChild(title, KindReminder));
}

// The items of the kind the export writes.
template <typename F> void ForEachExported(TreeNode& start, int kind, F&& visit)
{
    ForEachInSubtree(start, [&](TreeNode& node) {
        const TKPXObject& item = *node.Data();
        if (item.GetKind() == kind && !IsFilteredOut(item))
            visit(static_cast<const TPartyObject&>(item));
    });
}
} // namespace

CsvExportDetails::CsvExportDetails(TreeNode& start, const CsvExportFields& columns)
{
    if (!columns.header || (columns.kind != KindPerson && columns.kind != KindOrganization))
        return;
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        if (std::find(columns.fields.begin(), columns.fields.end(), ValueFields[slot]) != columns.fields.end())
            m_groups.push_back({slot});
    bool dated[std::size(DateTitles)] = {};
    ForEachExported(start, columns.kind, [&](const TPartyObject& party) {
        for (Group& group : m_groups) {
            const auto details = DetailsOfKind(party, static_cast<Slot>(group.slot));
            group.count = std::max(group.count, details.size());
            group.needed = group.needed || !FitsChosenColumns(party, static_cast<Slot>(group.slot), details);
        }
        for (std::size_t i = 0; i < std::size(DateTitles); ++i)
            dated[i] = dated[i] || (columns.kind == KindPerson && ReminderTitled(party, DateTitles[i]));
    });
    std::erase_if(m_groups, [](const Group& group) { return !group.needed; });
    for (const Group& group : m_groups) {
        const int kind = TPartyObject::SlotKind(static_cast<Slot>(group.slot));
        for (std::size_t number = 1; number <= group.count; ++number)
            for (const NumberedPart& part : NumberedParts(kind))
                m_names.push_back(NumberedColumnName(kind, static_cast<int>(number), part.part));
    }
    for (std::size_t i = 0; i < std::size(DateTitles); ++i)
        if (dated[i]) {
            m_dates.emplace_back(DateTitles[i]);
            m_names.emplace_back(DateTitles[i]);
        }
}

void CsvExportDetails::AppendValues(const TKPXObject& item, std::string& row) const
{
    if (!IsParty(item))
        return;
    const auto& party = static_cast<const TPartyObject&>(item);
    for (const Group& group : m_groups) {
        const auto slot = static_cast<Slot>(group.slot);
        const std::vector<const TKPXObject*> details = DetailsOfKind(party, slot);
        for (std::size_t i = 0; i < group.count; ++i)
            for (const NumberedPart& part : NumberedParts(TPartyObject::SlotKind(slot))) {
                if (i >= details.size())
                    row += ',';
                else if (part.field == LabelField)
                    row += QuotedField(details[i]->GetTitle());
                else
                    row += details[i]->GetFieldText(part.field);
            }
    }
    for (const std::string& title : m_dates) {
        const TReminderObject* reminder = ReminderTitled(party, title);
        // The date it stands for, as Google writes it: "1970-04-23", or "--04-23" without a year.
        row += reminder ? QuotedField(OriginText(reminder->Began())) : std::string(",");
    }
}

} // namespace quillary
