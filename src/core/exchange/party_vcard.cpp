// SPDX-License-Identifier: GPL-3.0-or-later
// Persons and organizations read from vCards: the item, its details and its yearly reminders. What
// the reading takes is removed from the card, so what is left is what the tree cannot keep.
#include "exchange/party_vcard.h"

#include "common/ascii_case.h"
#include "dialogs/recurring_date.h"
#include "exchange/card_field_map.h"
#include "exchange/card_party.h"
#include "exchange/company_text.h"
#include "exchange/detail_card_titles.h"
#include "exchange/vcard_date.h"
#include "exchange/vcard_phone_numbers.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/items_contact.h"

namespace quillary {

namespace {
using Slot = TPartyObject::Slot;

// The parts of an ADR value.
enum : std::size_t { AdrPostBox, AdrExtended, AdrStreet, AdrLocality, AdrRegion, AdrPostalCode, AdrCountry };

PropertyTake Take(CardField field, bool all = true)
{
    return {CardFieldOf(field).property, all};
}

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

CardDetail Detail(int kind, const TCardProperty& property, std::string_view target)
{
    CardDetail detail;
    detail.kind = kind;
    detail.title = CleanFieldText(DetailTitle(property, kind));
    detail.target = CleanFieldText(target);
    return detail;
}

CardDetail ReadAddress(const TCardProperty& adr)
{
    const std::vector<std::string> lines = AddressLines(adr);
    CardDetail address = Detail(KindAddress, adr, lines.front());
    address.lines = KeptAddressLines(lines);
    address.city = CleanFieldText(adr.Value(AdrLocality));
    address.state = CleanFieldText(adr.Value(AdrRegion));
    address.postCode = CleanFieldText(adr.Value(AdrPostalCode));
    address.country = CleanFieldText(adr.Value(AdrCountry));
    return address;
}

// A phone keeps the extension its number names; a fax has none.
CardDetail ReadTel(const TCardProperty& tel)
{
    if (tel.HasParam(ParamFax))
        return Detail(KindFax, tel, tel.Text());
    const CardPhoneNumber number = SplitPhoneNumberText(tel.Text());
    CardDetail phone = Detail(KindPhone, tel, number.number);
    phone.extension = CleanFieldText(number.extension);
    return phone;
}

// Every NOTE joins the comment, or none when the notes hold no text; a 2.1 note divided at ";" is
// joined again.
std::optional<std::string> NotesText(const std::vector<TCardProperty>& notes)
{
    std::string comment;
    for (const TCardProperty& note : notes)
        if (!note.Values.empty())
            comment.append(comment.empty() ? "" : " ").append(note.Text());
    return comment.empty() ? std::nullopt : std::optional(comment);
}

// The first property of a list of taken ones, or none.
const TCardProperty* FirstOf(const std::vector<TCardProperty>& taken)
{
    return taken.empty() ? nullptr : &taken.front();
}

// The first date property of that name.
std::optional<YearlyOrigin> YearlyDate(TCard& card, std::string_view name)
{
    const std::optional<TCardProperty> property = card.TakeProperty(name);
    return property ? ParseVCardOrigin(property->Text()) : std::nullopt;
}

// Apple's other dates ("item1.X-ABDATE" with the label "_$!<Anniversary>!$_"): the first one
// labelled as an anniversary.
std::optional<YearlyOrigin> LabelledAnniversary(TCard& card)
{
    for (int i = 0; i < card.PropertyCount(); ++i) {
        const TCardProperty& property = card.Properties(i);
        if (property.Name == "X-ABDATE" && EqualsNoCase(property.Label, "Anniversary")) {
            const std::optional<YearlyOrigin> date = ParseVCardOrigin(property.Text());
            card.DeleteProperty(i);
            return date;
        }
    }
    return std::nullopt;
}

// The anniversary by its 4.0 name, its older one, or Apple's label.
std::optional<YearlyOrigin> Anniversary(TCard& card)
{
    const CardFieldRow& anniversary = CardFieldOf(CardField::Anniversary);
    for (const std::string_view name : {anniversary.property, anniversary.older})
        if (card.FindProperty(name))
            return YearlyDate(card, name);
    return LabelledAnniversary(card);
}

// Adds the details a card holds (addresses, e-mail addresses, phones and faxes, websites) and
// sets the titles the primary slots take.
void ReadCardDetails(CardParty& party, TCard& card)
{
    // The first detail of each kind, which is primary when no entry of the card is preferred.
    std::array<const CardDetail*, TPartyObject::SlotCount> first{};
    std::array<std::string, TPartyObject::SlotCount> preferred = party.primary;
    std::vector<std::pair<Slot, bool>> slots;
    const auto made = [&](Slot slot, CardDetail detail, const TCardProperty& property) {
        party.details.push_back(std::move(detail));
        slots.emplace_back(slot, property.HasParam(ParamPref));
    };
    static const std::array<PropertyTake, 4> Details{
        {Take(CardField::Address), Take(CardField::EMail), Take(CardField::Phone), Take(CardField::Website)}};
    const auto [adrs, emails, tels, urls] = card.TakeProperties(Details);
    party.details.reserve(party.details.size() + adrs.size() + emails.size() + tels.size() + urls.size());
    for (const TCardProperty& adr : adrs)
        made(TPartyObject::SlotAddress, ReadAddress(adr), adr);
    for (const TCardProperty& email : emails)
        made(TPartyObject::SlotEMail, Detail(KindEMail, email, email.Text()), email);
    for (const TCardProperty& tel : tels)
        made(tel.HasParam(ParamFax) ? TPartyObject::SlotFax : TPartyObject::SlotPhone, ReadTel(tel), tel);
    for (const TCardProperty& url : urls)
        made(TPartyObject::SlotWebsite, Detail(KindWebsite, url, url.Text()), url);
    const std::size_t added = party.details.size() - slots.size();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const auto [slot, pref] = slots[i];
        const CardDetail& detail = party.details[added + i];
        if (pref)
            preferred[slot] = detail.title;
        if (!first[slot])
            first[slot] = &detail;
    }
    for (std::size_t slot = 0; slot < TPartyObject::SlotCount; ++slot)
        if (preferred[slot].empty() && first[slot])
            preferred[slot] = first[slot]->title;
    party.primary = preferred;
}

// An organization's card names it in N and FN as well.
void ReadOrganizationCard(CardParty& org, TCard& card)
{
    static const std::array<PropertyTake, 4> Names{{Take(CardField::Organization, false), Take(CardField::Name, false),
                                                    Take(CardField::FormattedName, false), Take(CardField::Note)}};
    const auto [orgs, ns, fns, notes] = card.TakeProperties(Names);
    // A card need not have ORG: its formatted name then names the organization.
    const TCardProperty* fn = FirstOf(fns);
    if (const TCardProperty* name = FirstOf(orgs))
        org.title = CleanFieldText(name->Value(0));
    else if (fn && fn->Text().find_first_not_of(' ') != std::string::npos)
        org.title = CleanFieldText(fn->Text());
    if (const std::optional<std::string> comment = NotesText(notes))
        org.comment = CleanFieldText(*comment);
    ReadCardDetails(org, card);
}

void ReadPersonCard(CardParty& person, TCard& card)
{
    std::array<std::string*, 5> names{&person.last, &person.first, &person.middle, &person.salutation,
                                      &person.suffix};
    static const std::array<PropertyTake, 5> Names{{Take(CardField::Name, false), Take(CardField::FormattedName, false),
                                                    Take(CardField::Organization, false),
                                                    Take(CardField::JobTitle, false), Take(CardField::Note)}};
    const auto [ns, fns, orgs, titles, noteList] = card.TakeProperties(Names);
    if (const TCardProperty* n = FirstOf(ns))
        for (std::size_t part = 0; part < names.size() && part < n->Values.size(); ++part)
            *names[part] = CleanFieldText(n->Values[part]);
    // Titled by the formatted name: a card's TITLE is a job title.
    const TCardProperty* fn = FirstOf(fns);
    const std::string formatted = fn ? fn->Text() : std::string();
    const bool titled = formatted.find_first_not_of(' ') != std::string::npos;
    person.title = CleanFieldText(titled ? formatted : person.first + " " + person.last);
    person.target = person.salutation + " " + person.first + " " + person.last;
    if (const TCardProperty* org = FirstOf(orgs))
        person.company = CleanFieldText(CompanyText(org->Values));
    if (const TCardProperty* jobTitle = FirstOf(titles))
        person.jobTitle = CleanFieldText(jobTitle->Text());
    if (const std::optional<std::string> notes = NotesText(noteList))
        person.comment = CleanFieldText(*notes);
    ReadCardDetails(person, card);
    person.birthday = YearlyDate(card, CardFieldOf(CardField::Birthday).property);
    person.anniversary = Anniversary(card);
}
} // namespace

CardParty ReadCardParty(TCard& card, CardParty kept)
{
    kept.details.clear();
    kept.units.clear();
    kept.birthday.reset();
    kept.anniversary.reset();
    if (kept.organization)
        ReadOrganizationCard(kept, card);
    else
        ReadPersonCard(kept, card);
    return kept;
}

void ReadPartyCard(TPartyObject& party, TCard& card)
{
    ApplyCardParty(party, ReadCardParty(card, PartyOfItem(party)));
}

} // namespace quillary
