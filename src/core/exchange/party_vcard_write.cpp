// SPDX-License-Identifier: GPL-3.0-or-later
// The card a person or organization writes: its names, what it does and where, its note, every
// contact detail and website with its title, and its birthday and anniversary.
#include "exchange/party_vcard.h"

#include "exchange/card_field_map.h"
#include "exchange/card_party.h"
#include "exchange/company_text.h"
#include "exchange/detail_card_titles.h"
#include "exchange/vcard_file.h"
#include "exchange/vcard_phone_numbers.h"
#include "model/item_kind.h"

#include <algorithm>
#include <cstdio>

namespace quillary {

namespace {
std::string_view Property(CardField field)
{
    return CardFieldOf(field).property;
}

// The property of a contact detail or website with its fields whole. A 2.1 card takes the
// detail's own line; 4.0 knows no INTERNET type, every EMAIL is one.
TCardProperty DetailProperty(const CardDetail& detail, VCardVersion version)
{
    if (version != VCardVersion::V21)
        return DetailCardProperty(detail, version == VCardVersion::V30);
    TCardProperty property;
    property.Parse(DetailCardProperty(detail, true).AsText());
    return property;
}

// A phone's extension joins its number: in a "tel:" URI for 4.0, as " ext " in the text before.
void WriteExtension(TCardProperty& tel, const CardDetail& detail, VCardVersion version)
{
    if (detail.kind != KindPhone || detail.extension.empty())
        return;
    const CardPhoneNumber number{detail.target, detail.extension};
    tel.UriValue = version == VCardVersion::V40;
    tel.Values = {tel.UriValue ? TelUriOf(number) : PhoneNumberText(number)};
}

// The detail a primary slot finds: the first of its kind with the slot's title.
const CardDetail* PrimaryDetail(const CardParty& party, int slot)
{
    const std::string& title = party.primary[static_cast<std::size_t>(slot)];
    const int kind = TPartyObject::SlotKind(static_cast<TPartyObject::Slot>(slot));
    for (const CardDetail& detail : party.details)
        if (!title.empty() && detail.kind == kind && detail.title == title)
            return &detail;
    return nullptr;
}

// The details and websites, each with its title and, for the primary ones, PREF.
void AddDetails(TCard& card, const CardParty& party, VCardVersion version)
{
    // Only the detail a slot finds is preferred: an empty slot finds none, and of details that
    // share the slot's title only the first.
    std::vector<const CardDetail*> primaries;
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        primaries.push_back(PrimaryDetail(party, slot));
    for (const CardDetail& detail : party.details) {
        TCardProperty property = DetailProperty(detail, version);
        if (std::find(primaries.begin(), primaries.end(), &detail) != primaries.end())
            property.SetParam(ParamPref);
        WriteExtension(property, detail, version);
        WriteDetailTitle(property, detail.title, detail.kind, version);
        const std::string label = std::move(property.Label);
        if (label.empty())
            card.AddProperty(std::move(property));
        else
            card.AddLabelledProperty(std::move(property), label);
    }
}

// "1975-03-14", or "19750314" in 4.0; without a year "--03-14" and "--0314".
std::string CardDate(const YearlyOrigin& date, VCardVersion version)
{
    char text[16];
    const bool basic = version == VCardVersion::V40;
    if (date.HasYear())
        std::snprintf(text, sizeof text, basic ? "%04d%02d%02d" : "%04d-%02d-%02d", date.year, date.month, date.day);
    else
        std::snprintf(text, sizeof text, basic ? "--%02d%02d" : "--%02d-%02d", date.month, date.day);
    return text;
}

void AddDate(TCard& card, const std::optional<YearlyOrigin>& date, std::string_view name, VCardVersion version)
{
    if (date)
        card.AddProperty(TCardProperty(name, {CardDate(*date, version)}));
}

void AddPersonNames(TCard& card, const CardParty& person, VCardVersion version)
{
    std::vector<std::string> n = {person.last, person.first, person.middle, person.salutation};
    if (version != VCardVersion::V21 || !person.suffix.empty())
        n.push_back(person.suffix);
    card.AddProperty(TCardProperty(Property(CardField::Name), std::move(n)));
    // The formatted name is what the person is called in the tree; it is required.
    const bool titled = person.title.find_first_not_of(' ') != std::string::npos;
    card.AddProperty(TCardProperty(Property(CardField::FormattedName), {titled ? person.title : person.target}));
    if (!person.jobTitle.empty())
        card.AddProperty(TCardProperty(Property(CardField::JobTitle), {person.jobTitle}));
    const std::vector<std::string> org = person.company.empty() ? person.units : CompanyComponents(person.company);
    if (!org.empty())
        card.AddProperty(TCardProperty(Property(CardField::Organization), org));
}
} // namespace

TCard CardOfParty(const CardParty& party, VCardVersion version)
{
    TCard card;
    if (!party.organization) {
        AddPersonNames(card, party, version);
    } else {
        for (const CardField field : {CardField::Name, CardField::FormattedName, CardField::Organization})
            card.AddProperty(TCardProperty(Property(field), {party.title}));
    }
    if (!party.comment.empty())
        card.AddProperty(TCardProperty(Property(CardField::Note), {party.comment}));
    AddDetails(card, party, version);
    AddDate(card, party.birthday, Property(CardField::Birthday), version);
    const CardFieldRow& anniversary = CardFieldOf(CardField::Anniversary);
    AddDate(card, party.anniversary, version == VCardVersion::V40 ? anniversary.property : anniversary.older, version);
    return card;
}

TCard MakeVCard(const TPartyObject& party, VCardVersion version)
{
    return CardOfParty(PartyOfItem(party), version);
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
