// SPDX-License-Identifier: GPL-3.0-or-later
// The card a person or organization writes: its names, what it does and where, its note, every
// contact detail and website with its title, and its birthday and anniversary.
#include "exchange/party_vcard.h"

#include "common/ascii_case.h"
#include "exchange/detail_card_titles.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_phone_numbers.h"
#include "model/item_kind.h"
#include "model/items_contact.h"
#include "model/items_party.h"
#include "model/items_reminder.h"
#include "model/tree_node.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace quillary {

namespace {
// The property of a contact detail or website with its fields whole, or none for other kinds. A
// 2.1 card takes the item's own line.
std::optional<TCardProperty> DetailProperty(const TKPXObject& child, VCardVersion version)
{
    if (version == VCardVersion::V21) {
        const std::string line = DetailVCardLine(child);
        if (line.empty())
            return std::nullopt;
        TCardProperty property;
        property.Parse(line);
        return property;
    }
    switch (child.GetKind()) {
    case KindAddress:
        return TCardProperty("ADR", AddressCardValues(static_cast<const TAddressObject&>(child)));
    case KindPhone:
        return TCardProperty("TEL", {child.GetTarget()});
    case KindFax: {
        TCardProperty fax("TEL", {child.GetTarget()});
        fax.SetParam(ParamFax);
        return fax;
    }
    case KindEMail: {
        TCardProperty email("EMAIL", {child.GetTarget()});
        // 4.0 knows no INTERNET type: every EMAIL is one.
        if (version == VCardVersion::V30 && IsEMailAddress(child.GetTarget()))
            email.SetParam(ParamInternet);
        return email;
    }
    case KindWebsite:
        return TCardProperty("URL", {child.GetTarget()});
    default:
        return std::nullopt;
    }
}

// A phone's extension joins its number: in a "tel:" URI for 4.0, as " ext " in the text before.
void WriteExtension(TCardProperty& tel, const TKPXObject& child, VCardVersion version)
{
    const auto* phone = dynamic_cast<const TPhoneObject*>(&child);
    if (!phone || phone->Extension().empty())
        return;
    const CardPhoneNumber number{phone->GetTarget(), phone->Extension()};
    tel.UriValue = version == VCardVersion::V40;
    tel.Values = {tel.UriValue ? TelUriOf(number) : PhoneNumberText(number)};
}

// The details and websites of the item, each with its title and, for the primary ones, PREF.
void AddDetails(TCard& card, const TPartyObject& party, VCardVersion version)
{
    std::vector<const TKPXObject*> details;
    for (int i = 0; i < party.ChildCount(); ++i)
        details.push_back(party.ChildAt(i));
    for (int i = 0; party.GetTreeNode() && i < party.GetTreeNode()->ChildCount(); ++i)
        if (const TKPXObject* item = party.GetTreeNode()->ChildAt(i)->Data(); item && item->GetKind() == KindWebsite)
            details.push_back(item);
    // Only the child a slot finds is preferred: an empty slot finds none, and of children that
    // share the slot's title only the first.
    std::vector<const TKPXObject*> primaries;
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        primaries.push_back(party.PrimaryChild(static_cast<TPartyObject::Slot>(slot)));
    for (const TKPXObject* detail : details) {
        std::optional<TCardProperty> property = DetailProperty(*detail, version);
        if (!property)
            continue;
        if (std::find(primaries.begin(), primaries.end(), detail) != primaries.end())
            property->SetParam(ParamPref);
        WriteExtension(*property, *detail, version);
        WriteDetailTitle(*property, detail->GetTitle(), detail->GetKind(), version);
        const std::string label = std::move(property->Label);
        if (label.empty())
            card.AddProperty(std::move(*property));
        else
            card.AddLabelledProperty(std::move(*property), label);
    }
}

// "1975-03-14", or "19750314" in 4.0.
std::string CardDate(const CivilDate& date, VCardVersion version)
{
    char text[16];
    std::snprintf(text, sizeof text, version == VCardVersion::V40 ? "%04d%02d%02d" : "%04d-%02d-%02d", date.year,
                  date.month, date.day);
    return text;
}

// The date of the person's first reminder titled title, as the property name.
void AddReminderDate(TCard& card, const TPartyObject& party, std::string_view title, std::string_view name,
                     VCardVersion version)
{
    for (int i = 0; i < party.ChildCount(); ++i) {
        const auto* reminder = dynamic_cast<const TReminderObject*>(party.ChildAt(i));
        if (reminder && EqualsNoCase(reminder->GetTitle(), title)) {
            card.AddProperty(TCardProperty(name, {CardDate(reminder->RecurDate().GetDate(), version)}));
            return;
        }
    }
}

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

void AddPersonNames(TCard& card, const TPersonObject& person, VCardVersion version)
{
    std::vector<std::string> n = {person.LastName(), person.FirstName(), person.MiddleName(), person.Salutation()};
    if (version != VCardVersion::V21 || !person.Suffix().empty())
        n.push_back(person.Suffix());
    card.AddProperty(TCardProperty("N", std::move(n)));
    // The formatted name is what the person is called in the tree; it is required.
    const bool titled = person.GetTitle().find_first_not_of(' ') != std::string::npos;
    card.AddProperty(TCardProperty("FN", {titled ? person.GetTitle() : person.GetTarget()}));
    if (!person.JobTitle().empty())
        card.AddProperty(TCardProperty("TITLE", {person.JobTitle()}));
    std::vector<std::string> org = {person.Company()};
    if (person.Company().empty() && person.GetTreeNode())
        org = OrganizationUnits(*person.GetTreeNode());
    if (!org.empty())
        card.AddProperty(TCardProperty("ORG", std::move(org)));
}
} // namespace

TCard MakeVCard(const TPartyObject& party, VCardVersion version)
{
    TCard card;
    if (const auto* person = dynamic_cast<const TPersonObject*>(&party)) {
        AddPersonNames(card, *person, version);
    } else {
        for (const std::string_view name : {"N", "FN", "ORG"})
            card.AddProperty(TCardProperty(name, {party.GetTitle()}));
    }
    if (!party.GetComment().empty())
        card.AddProperty(TCardProperty("NOTE", {party.GetComment()}));
    AddDetails(card, party, version);
    AddReminderDate(card, party, "Birthday", "BDAY", version);
    AddReminderDate(card, party, "Anniversary", version == VCardVersion::V40 ? "ANNIVERSARY" : "X-ANNIVERSARY",
                    version);
    return card;
}

bool WriteVCard(const TKPXObject& item, const std::filesystem::path& file, VCardVersion version)
{
    const auto* party = dynamic_cast<const TPartyObject*>(&item);
    if (!party)
        return false;
    TVCardFile vcards;
    vcards.Filename = file;
    vcards.Version = version;
    vcards.AddCard(MakeVCard(*party, version));
    vcards.Save();
    return true;
}

} // namespace quillary
