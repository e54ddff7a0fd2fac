// SPDX-License-Identifier: GPL-3.0-or-later
// A person or organization as the values its card holds, and those values put back into one.
#include "exchange/card_party.h"

#include "common/ascii_case.h"
#include "exchange/yearly_reminder.h"
#include "model/create_item.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_reminder.h"
#include "model/tree_node.h"

namespace quillary {

namespace {
// The titles of the organization a person sits under and of the teams between, top down; none
// without an organization above.
std::vector<std::string> OrganizationUnits(const TreeNode& node)
{
    std::vector<std::string> units;
    for (const TreeNode* above = node.Parent(); above && above->Data(); above = above->Parent()) {
        const int kind = above->Data()->GetKind();
        if (kind == KindTeam || kind == KindOrganization)
            units.insert(units.begin(), above->Data()->GetTitle());
        if (kind == KindOrganization)
            return units;
    }
    return {};
}

// The date the party's first reminder titled title stands for.
std::optional<YearlyOrigin> ReminderDate(const TPartyObject& party, std::string_view title)
{
    for (int i = 0; i < party.ChildCount(); ++i) {
        const auto* reminder = dynamic_cast<const TReminderObject*>(party.ChildAt(i));
        if (reminder && EqualsNoCase(reminder->GetTitle(), title))
            return reminder->Began();
    }
    return std::nullopt;
}

void ReadNames(CardParty& values, const TPartyObject& party)
{
    const auto* person = dynamic_cast<const TPersonObject*>(&party);
    if (!person)
        return;
    values.salutation = person->Salutation();
    values.first = person->FirstName();
    values.middle = person->MiddleName();
    values.last = person->LastName();
    values.suffix = person->Suffix();
    values.company = person->Company();
    values.jobTitle = person->JobTitle();
    if (values.company.empty() && person->GetTreeNode())
        values.units = OrganizationUnits(*person->GetTreeNode());
}

void AddDetail(TPartyObject& party, const CardDetail& detail)
{
    TKPXObject* item = CreateItem(detail.kind, detail.title, detail.target, "", *party.GetTreeNode(), "", 0);
    if (auto* address = dynamic_cast<TAddressObject*>(item))
        address->SetAddress({detail.lines.begin(), detail.lines.end()}, detail.city, detail.state, detail.postCode,
                            detail.country);
    else if (auto* phone = dynamic_cast<TPhoneObject*>(item))
        phone->SetExtension(detail.extension);
}
} // namespace

std::optional<CardDetail> DetailOfItem(const TKPXObject& item)
{
    CardDetail detail;
    detail.kind = item.GetKind();
    if (detail.kind != KindAddress && detail.kind != KindPhone && detail.kind != KindFax && detail.kind != KindEMail &&
        detail.kind != KindWebsite)
        return std::nullopt;
    detail.title = item.GetTitle();
    detail.target = item.GetTarget();
    if (const auto* address = dynamic_cast<const TAddressObject*>(&item)) {
        const std::vector<std::string> lines = address->Lines();
        std::copy(lines.begin(), lines.end(), detail.lines.begin());
        detail.city = address->City();
        detail.state = address->State();
        detail.postCode = address->PostCode();
        detail.country = address->Country();
    } else if (const auto* phone = dynamic_cast<const TPhoneObject*>(&item)) {
        detail.extension = phone->Extension();
    }
    return detail;
}

CardParty PartyOfItem(const TPartyObject& party)
{
    CardParty values;
    values.organization = party.GetKind() == KindOrganization;
    values.title = party.GetTitle();
    values.target = party.GetTarget();
    values.comment = party.GetComment();
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        values.primary[static_cast<std::size_t>(slot)] = party.Primary(static_cast<TPartyObject::Slot>(slot));
    ReadNames(values, party);
    for (int i = 0; i < party.ChildCount(); ++i)
        if (std::optional<CardDetail> detail = DetailOfItem(*party.ChildAt(i)); detail && detail->kind != KindWebsite)
            values.details.push_back(std::move(*detail));
    for (int i = 0; party.GetTreeNode() && i < party.GetTreeNode()->ChildCount(); ++i)
        if (const TKPXObject* item = party.GetTreeNode()->ChildAt(i)->Data(); item && item->GetKind() == KindWebsite)
            values.details.push_back(*DetailOfItem(*item));
    values.birthday = ReminderDate(party, "Birthday");
    values.anniversary = ReminderDate(party, "Anniversary");
    return values;
}

void ApplyCardParty(TPartyObject& party, const CardParty& read)
{
    for (const CardDetail& detail : read.details)
        AddDetail(party, detail);
    auto* person = dynamic_cast<TPersonObject*>(&party);
    if (!person) {
        if (party.GetTitle() != read.title)
            party.SetTitle(read.title);
        party.SetCommentAndPrimaries(read.comment, read.primary);
        return;
    }
    person->SetAllTexts({read.title, read.target, read.comment, read.primary, read.salutation, read.first, read.middle,
                         read.last, read.company, read.jobTitle, read.suffix});
    if (read.birthday)
        MakeYearlyReminder(*person, *read.birthday, "Birthday");
    if (read.anniversary)
        MakeYearlyReminder(*person, *read.anniversary, "Anniversary");
}

} // namespace quillary
