// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/csv_party_row.h"

#include "exchange/csv_date.h"
#include "exchange/csv_row_reason.h"
#include "exchange/yearly_reminder.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <array>

namespace quillary {

namespace {
using Slot = TPartyObject::Slot;

Slot SlotOfKind(int kind)
{
    int slot = 0;
    while (slot < TPartyObject::SlotCount && TPartyObject::SlotKind(static_cast<Slot>(slot)) != kind)
        ++slot;
    return static_cast<Slot>(slot);
}

// Whether an item holds every value of a detail's record but its title.
bool Repeats(const TKPXObject& item, const CsvDetail& detail)
{
    if (!detail.lines.empty())
        return false;
    for (std::size_t i = 1; i < detail.record.names.size(); ++i)
        if (item.GetFieldText(detail.record.names[i]) != QuotedField(detail.record.values[i]))
            return false;
    return true;
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Makes the detail's item under party, or says why it cannot.
TKPXObject* MakeDetail(TPartyObject& party, CsvDetail& detail, const std::string& row, ImportCounts& counts)
{
    const std::string title = detail.record.values.front();
    TKPXObject* item = CreateItem(detail.kind, "New", "", "", *party.GetTreeNode(), "", 0);
    if (!item->ReadFields(detail.record)) {
        DestroyItem(*item);
        counts.NoteLeftOut(row + std::string(KindName(detail.kind)) + " " + Quoted(title) +
                           " left out: " + RejectedRowReason(detail.kind, detail.record));
        return nullptr;
    }
    // Every line goes to the address, which keeps what its three lines can hold.
    if (!detail.lines.empty())
        static_cast<TAddressObject*>(item)->SetLines(detail.lines);
    return item;
}
} // namespace

void AddCsvDetails(TPartyObject& party, std::vector<CsvDetail> details, const std::string& row, ImportCounts& counts)
{
    std::array<TKPXObject*, TPartyObject::SlotCount> own{};
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        own[slot] = party.PrimaryChild(static_cast<Slot>(slot));
    for (CsvDetail& detail : details) {
        const Slot slot = SlotOfKind(detail.kind);
        if (own[slot] && Repeats(*own[slot], detail)) {
            own[slot]->SetTitle(detail.record.values.front());
            party.SetPrimary(slot, own[slot]->GetTitle());
            own[slot] = nullptr;
            continue;
        }
        const TKPXObject* item = MakeDetail(party, detail, row, counts);
        if (item && !party.PrimaryChild(slot))
            party.SetPrimary(slot, item->GetTitle());
    }
}

void AddCsvDates(TPartyObject& party, const std::vector<CsvDate>& dates, const std::string& row, ImportCounts& counts)
{
    auto* person = dynamic_cast<TPersonObject*>(&party);
    if (!person)
        return;
    for (const CsvDate& date : dates) {
        const std::optional<YearlyOrigin> day = ParseCsvOrigin(date.text);
        if (!day || !MakeYearlyReminder(*person, *day, date.title))
            counts.NoteLeftOut(row + date.title + " left out: " + Quoted(date.text) + " is no date this program reads");
    }
}

} // namespace quillary
