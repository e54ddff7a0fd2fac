// SPDX-License-Identifier: GPL-3.0-or-later
// Persons and organizations as vCards: reading a card into the item and its details, and the
// card the item writes.
#include "exchange/party_vcard.h"

#include "common/clock.h"
#include "exchange/vcard_date.h"
#include "exchange/vcard_file.h"
#include "exchange/yearly_reminder.h"
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
constexpr std::size_t AddressFields = 7; // three lines, city, state, postal code, country

// The address detail line of an ADR property. Each value is made safe as a record field first:
// a "~~" inside a value would otherwise move every field after it.
std::string AddressDetails(const TCardProperty& adr)
{
    std::string line(TypeTag(KindAddress));
    for (std::size_t i = 0; i < AddressFields; ++i) {
        if (i > 0)
            line += FieldSeparator;
        line += CleanFieldText(adr.Value(i));
    }
    return line;
}

// One detail titled by the property's parameters, pointing at its first value; a "PREF"
// parameter makes it the owner's primary of its kind.
void MakeDetail(TPartyObject& owner, TPartyObject::Slot slot, const TCardProperty& property, std::string_view details)
{
    const TKPXObject* detail = CreateItem(TPartyObject::SlotKind(slot), property.ParamDisplayText(), property.Value(0),
                                          "", *owner.GetTreeNode(), details, 0);
    if (property.HasParam(ParamPref))
        owner.SetPrimary(slot, detail->GetTitle());
}

// The first NOTE becomes the comment; a 2.1 note divided at "," or ";" is joined again.
void ReadNote(TKPXObject& item, const TCard& card)
{
    const TCardProperty* note = card.FindProperty("NOTE");
    if (!note || note->Values.empty())
        return;
    std::string comment = note->Values.front();
    for (auto part = note->Values.begin() + 1; part != note->Values.end(); ++part)
        comment.append(",").append(*part);
    item.SetComment(comment);
}

// A yearly reminder titled title under the person for the first date property of that name; a
// date without a year takes this year.
void MakeYearlyReminder(TPersonObject& person, const TCard& card, std::string_view name, std::string_view title)
{
    const TCardProperty* property = card.FindProperty(name);
    const auto date =
        property ? ParseVCardDate(property->Value(0), person.Services().clock->Today().year) : std::nullopt;
    if (date)
        MakeYearlyReminder(person, *date, title);
}

TCardProperty Property(std::string_view name, std::vector<std::string> values)
{
    TCardProperty property;
    property.Name = name;
    property.Values = std::move(values);
    return property;
}

// The property of a contact detail with its fields whole, or none for other kinds.
std::optional<TCardProperty> DetailProperty(const TKPXObject& child, VCardVersion version)
{
    switch (child.GetKind()) {
    case KindAddress: {
        const auto& address = static_cast<const TAddressObject&>(child);
        std::vector<std::string> values(address.Lines().begin(), address.Lines().end());
        values.resize(3);
        values.insert(values.end(), {address.City(), address.State(), address.PostCode(), address.Country()});
        return Property("ADR", std::move(values));
    }
    case KindPhone:
        return Property("TEL", {child.GetTarget()});
    case KindFax: {
        TCardProperty fax = Property("TEL", {child.GetTarget()});
        fax.SetParam(ParamFax);
        return fax;
    }
    case KindEMail: {
        TCardProperty email = Property("EMAIL", {child.GetTarget()});
        // 4.0 knows no INTERNET type: every EMAIL is one.
        if (version == VCardVersion::V30 && IsEMailAddress(child.GetTarget()))
            email.SetParam(ParamInternet);
        return email;
    }
    default:
        return std::nullopt;
    }
}

void AddNameProperties(TCard& card, const TPartyObject& party)
{
    if (party.GetKind() != KindPerson) {
        for (const std::string_view name : {"N", "FN", "ORG"})
            card.AddProperty(Property(name, {party.GetTitle()}));
        return;
    }
    const auto& person = static_cast<const TPersonObject&>(party);
    card.AddProperty(Property(
        "N", {person.LastName(), person.FirstName(), person.MiddleName(), person.Salutation(), std::string()}));
    // A formatted name is required; a person without a salutation or names still has a title.
    const std::string& formatted =
        person.GetTarget().find_first_not_of(' ') == std::string::npos ? person.GetTitle() : person.GetTarget();
    card.AddProperty(Property("FN", {formatted}));
    card.AddProperty(Property("TITLE", {person.GetTitle()}));
}
} // namespace

TCard MakeVCard(const TPartyObject& party, VCardVersion version)
{
    if (version == VCardVersion::V21)
        return party.MakeVCard();
    TCard card;
    AddNameProperties(card, party);
    if (!party.GetComment().empty())
        card.AddProperty(Property("NOTE", {party.GetComment()}));
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
    if (version == VCardVersion::V21)
        return item.WriteVCard(file);
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
        MakeDetail(*this, SlotAddress, adr, AddressDetails(adr));
    for (const TCardProperty& email : card.TakeProperties("EMAIL"))
        MakeDetail(*this, SlotEMail, email, "");
    for (const TCardProperty& tel : card.TakeProperties("TEL"))
        MakeDetail(*this, tel.HasParam(ParamFax) ? SlotFax : SlotPhone, tel, "");
    // Only the first URL makes a website.
    if (const TCardProperty* url = card.FindProperty("URL")) {
        CreateItem(KindWebsite, WebsiteTitle, url->Value(0), "", *GetTreeNode(), "", 0);
        SetPrimary(SlotWebsite, WebsiteTitle);
        card.DeleteProperty(card.IndexOfProperty(url));
    }
}

TCard TPartyObject::MakeVCard() const
{
    TCard card;
    for (const std::string& line : VCardNameLines())
        card.AddLine(line);
    // Only the child a slot finds is preferred: an empty slot finds none, and of children that
    // share the slot's title only the first.
    const std::array<const TKPXObject*, 4> primaries = {PrimaryChild(SlotAddress), PrimaryChild(SlotPhone),
                                                        PrimaryChild(SlotFax), PrimaryChild(SlotEMail)};
    for (int i = 0; i < ChildCount(); ++i) {
        const TKPXObject* child = ChildAt(i);
        const std::string line = child->GetVCardLine();
        if (line.empty())
            continue;
        card.AddLine(line);
        if (std::find(primaries.begin(), primaries.end(), child) != primaries.end())
            card.Properties(card.PropertyCount() - 1).SetParam(ParamPref);
    }
    return card;
}

bool TPartyObject::WriteVCard(const std::filesystem::path& file) const
{
    TVCardFile vcards;
    vcards.Filename = file;
    vcards.AddCard(MakeVCard());
    vcards.Save();
    return true;
}

void TOrgObject::ReadVCard(TCard& card)
{
    if (const TCardProperty* org = card.FindProperty("ORG"))
        SetTitle(org->Value(0));
    ReadNote(*this, card);
    ReadVCardDetails(card);
}

std::vector<std::string> TOrgObject::VCardNameLines() const
{
    return {"N:" + GetTitle(), "FN:" + GetTitle(), "ORG:" + GetTitle()};
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
        SetTitle(title->Value(0));
    else if (const TCardProperty* fn = card.FindProperty("FN"))
        SetTitle(fn->Value(0));
    else
        SetTitle(m_firstName + " " + m_lastName);
    SetTarget(m_salutation + " " + m_firstName + " " + m_lastName);
    ReadNote(*this, card);
    ReadVCardDetails(card);
    MakeYearlyReminder(*this, card, "BDAY", "Birthday");
    MakeYearlyReminder(*this, card, "ANNIVERSARY", "Anniversary");
}

std::vector<std::string> TPersonObject::VCardNameLines() const
{
    return {"N:" + m_lastName + ";" + m_firstName + ";" + m_middleName + ";" + m_salutation, "FN:" + GetTarget(),
            "TITLE:" + GetTitle()};
}

} // namespace quillary
