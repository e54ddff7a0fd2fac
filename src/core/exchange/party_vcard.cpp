// SPDX-License-Identifier: GPL-3.0-or-later
// Persons and organizations as vCards: reading a card into the item and its details, and the
// card the item writes.
#include "exchange/party_vcard.h"

#include "dialogs/recurring_date.h"
#include "exchange/vcard_date.h"
#include "exchange/vcard_file.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_services.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quillary {

namespace {
constexpr std::string_view WebsiteTitle = "Web URL";
// The parts of an ADR value.
enum : std::size_t { AdrPostBox, AdrExtended, AdrStreet, AdrLocality, AdrRegion, AdrPostalCode, AdrCountry };

// The address lines of an ADR property: the street's lines first, then the extended address's,
// then the post office box's, each part that holds text with all its lines.
std::vector<std::string> AddressLines(const TCardProperty& adr)
{
    std::vector<std::string> lines;
    for (const std::size_t part : {AdrStreet, AdrExtended, AdrPostBox}) {
        const std::string& text = adr.Value(part);
        for (std::size_t start = 0; !text.empty() && start <= text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    }
    if (lines.empty())
        lines.emplace_back();
    return lines;
}

void ReadAddress(TPartyObject& owner, const TCardProperty& adr)
{
    const std::vector<std::string> lines = AddressLines(adr);
    auto* address = static_cast<TAddressObject*>(
        CreateItem(KindAddress, adr.ParamDisplayText(), lines.front(), "", *owner.GetTreeNode(), "", 0));
    address->SetLines(lines);
    address->SetCity(adr.Value(AdrLocality));
    address->SetState(adr.Value(AdrRegion));
    address->SetPostCode(adr.Value(AdrPostalCode));
    address->SetCountry(adr.Value(AdrCountry));
    if (adr.HasParam(ParamPref))
        owner.SetPrimary(TPartyObject::SlotAddress, address->GetTitle());
}

// One detail titled by the property's parameters, pointing at its text; a "PREF"
// parameter makes it the owner's primary of its kind.
void MakeDetail(TPartyObject& owner, TPartyObject::Slot slot, const TCardProperty& property)
{
    const TKPXObject* detail = CreateItem(TPartyObject::SlotKind(slot), property.ParamDisplayText(), property.Text(),
                                          "", *owner.GetTreeNode(), "", 0);
    if (property.HasParam(ParamPref))
        owner.SetPrimary(slot, detail->GetTitle());
}

// The first NOTE becomes the comment; a 2.1 note divided at ";" is joined again.
void ReadNote(TKPXObject& item, const TCard& card)
{
    const TCardProperty* note = card.FindProperty("NOTE");
    if (note && !note->Values.empty())
        item.SetComment(note->Text());
}

// A yearly reminder titled title under the person for the first date property of that name.
// The reminder holds the card's date (a date without a year takes this year), so it shows as due
// until it is first advanced.
void MakeYearlyReminder(TPersonObject& person, const TCard& card, std::string_view name, std::string_view title)
{
    const TCardProperty* property = card.FindProperty(name);
    const ItemServices& services = person.Services();
    const auto date = property ? ParseVCardDate(property->Value(0), services.clock->Today().year) : std::nullopt;
    TRecurringDate reminder(*services.clock, *services.locale);
    if (!date || !reminder.SetDate(*date))
        return;
    reminder.SetRecurMode(kRecurYearly);
    std::string details(TypeTag(KindReminder));
    details.append(reminder.GetAsText()).append(FieldSeparator).append("0");
    CreateItem(KindReminder, title, reminder.GetDateText(), "", *person.GetTreeNode(), details, 0);
}

// The property of a contact detail with its fields whole, or none for other kinds. A 2.1 card
// takes the detail's own line.
std::optional<TCardProperty> DetailProperty(const TKPXObject& child, VCardVersion version)
{
    if (version == VCardVersion::V21) {
        const std::string line = child.GetVCardLine();
        if (line.empty() || child.GetKind() == KindWebsite)
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
    default:
        return std::nullopt;
    }
}

void AddNameProperties(TCard& card, const TPartyObject& party, VCardVersion version)
{
    if (party.GetKind() != KindPerson) {
        for (const std::string_view name : {"N", "FN", "ORG"})
            card.AddProperty(TCardProperty(name, {party.GetTitle()}));
        return;
    }
    const auto& person = static_cast<const TPersonObject&>(party);
    std::vector<std::string> n = {person.LastName(), person.FirstName(), person.MiddleName(), person.Salutation()};
    if (version != VCardVersion::V21)
        n.emplace_back(); // the suffix, which 3.0 and 4.0 always write
    card.AddProperty(TCardProperty("N", std::move(n)));
    // A formatted name is required; a person without a salutation or names still has a title.
    const std::string& formatted =
        person.GetTarget().find_first_not_of(' ') == std::string::npos && version != VCardVersion::V21
            ? person.GetTitle()
            : person.GetTarget();
    card.AddProperty(TCardProperty("FN", {formatted}));
    card.AddProperty(TCardProperty("TITLE", {person.GetTitle()}));
}
} // namespace

TCard MakeVCard(const TPartyObject& party, VCardVersion version)
{
    TCard card;
    AddNameProperties(card, party, version);
    if (version != VCardVersion::V21 && !party.GetComment().empty())
        card.AddProperty(TCardProperty("NOTE", {party.GetComment()}));
    // Only the child a slot finds is preferred: an empty slot finds none, and of children that
    // share the slot's title only the first.
    const std::array<const TKPXObject*, 4> primaries = {
        party.PrimaryChild(TPartyObject::SlotAddress), party.PrimaryChild(TPartyObject::SlotPhone),
        party.PrimaryChild(TPartyObject::SlotFax), party.PrimaryChild(TPartyObject::SlotEMail)};
    for (int i = 0; i < party.ChildCount(); ++i) {
        const TKPXObject* child = party.ChildAt(i);
        std::optional<TCardProperty> property = DetailProperty(*child, version);
        if (!property)
            continue;
        if (std::find(primaries.begin(), primaries.end(), child) != primaries.end())
            property->SetParam(ParamPref);
        card.AddProperty(std::move(*property));
    }
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

void TPartyObject::ReadVCardDetails(TCard& card)
{
    for (const TCardProperty& adr : card.TakeProperties("ADR"))
        ReadAddress(*this, adr);
    for (const TCardProperty& email : card.TakeProperties("EMAIL"))
        MakeDetail(*this, SlotEMail, email);
    for (const TCardProperty& tel : card.TakeProperties("TEL"))
        MakeDetail(*this, tel.HasParam(ParamFax) ? SlotFax : SlotPhone, tel);
    // Only the first URL makes a website.
    if (const TCardProperty* url = card.FindProperty("URL")) {
        CreateItem(KindWebsite, WebsiteTitle, url->Text(), "", *GetTreeNode(), "", 0);
        SetPrimary(SlotWebsite, WebsiteTitle);
        card.DeleteProperty(card.IndexOfProperty(url));
    }
}

bool TPartyObject::WriteVCard(const std::filesystem::path& file) const
{
    return quillary::WriteVCard(*this, file, VCardVersion::V21);
}

void TOrgObject::ReadVCard(TCard& card)
{
    if (const TCardProperty* org = card.FindProperty("ORG"))
        SetTitle(org->Value(0));
    ReadNote(*this, card);
    ReadVCardDetails(card);
}

void TPersonObject::ReadVCard(TCard& card)
{
    if (const TCardProperty* n = card.FindProperty("N")) {
        const auto part = [&](std::size_t index, const std::string& current) {
            return index < n->Values.size() ? n->Values[index] : current;
        };
        SetNames(part(3, m_salutation), part(1, m_firstName), part(2, m_middleName), part(0, m_lastName));
    }
    if (const TCardProperty* title = card.FindProperty("TITLE"))
        SetTitle(title->Text());
    else if (const TCardProperty* fn = card.FindProperty("FN"))
        SetTitle(fn->Text());
    else
        SetTitle(m_firstName + " " + m_lastName);
    SetTarget(m_salutation + " " + m_firstName + " " + m_lastName);
    ReadNote(*this, card);
    ReadVCardDetails(card);
    MakeYearlyReminder(*this, card, "BDAY", "Birthday");
    MakeYearlyReminder(*this, card, "ANNIVERSARY", "Anniversary");
}

} // namespace quillary
