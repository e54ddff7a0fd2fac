// SPDX-License-Identifier: GPL-3.0-or-later
// Persons and organizations read from vCards: the item, its details and its yearly reminders. What
// the reading takes is removed from the card, so what is left is what the tree cannot keep.
#include "exchange/party_vcard.h"

#include "common/clock.h"
#include "exchange/detail_card_titles.h"
#include "exchange/vcard_date.h"
#include "exchange/vcard_phone_numbers.h"
#include "exchange/yearly_reminder.h"
#include "model/create_item.h"
#include "model/field_text.h"
#include "model/item_kind.h"
#include "model/item_services.h"
#include "model/items_contact.h"
#include "model/items_party.h"

#include <array>

namespace quillary {

namespace {
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

TKPXObject* ReadAddress(TPartyObject& owner, const TCardProperty& adr)
{
    const std::vector<std::string> lines = AddressLines(adr);
    auto* address = static_cast<TAddressObject*>(
        CreateItem(KindAddress, DetailTitle(adr, KindAddress), lines.front(), "", *owner.GetTreeNode(), "", 0));
    address->SetAddress(lines, adr.Value(AdrLocality), adr.Value(AdrRegion), adr.Value(AdrPostalCode),
                        adr.Value(AdrCountry));
    return address;
}

TKPXObject* MakeDetail(TPartyObject& owner, int kind, const TCardProperty& property, std::string_view target)
{
    return CreateItem(kind, DetailTitle(property, kind), target, "", *owner.GetTreeNode(), "", 0);
}

// A phone keeps the extension its number names; a fax has none.
TKPXObject* ReadTel(TPartyObject& owner, const TCardProperty& tel)
{
    if (tel.HasParam(ParamFax))
        return MakeDetail(owner, KindFax, tel, tel.Text());
    const CardPhoneNumber number = SplitPhoneNumberText(tel.Text());
    auto* phone = static_cast<TPhoneObject*>(MakeDetail(owner, KindPhone, tel, number.number));
    phone->SetExtension(number.extension);
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

// A yearly reminder titled title under the person for the first date property of that name; a
// date without a year takes this year.
void MakeYearlyReminder(TPersonObject& person, TCard& card, std::string_view name, std::string_view title)
{
    const std::optional<TCardProperty> property = card.TakeProperty(name);
    const auto date = property ? ParseVCardDate(property->Text(), person.Services().clock->Today().year) : std::nullopt;
    if (date)
        MakeYearlyReminder(person, *date, title);
}

// ORG's units are only text to a person: "Acme, Sales".
std::string OrganizationText(const TCardProperty& org)
{
    std::string text;
    for (const std::string& unit : org.Values)
        if (!unit.empty())
            text.append(text.empty() ? "" : ", ").append(unit);
    return text;
}

// Makes the details a card holds (addresses, e-mail addresses, phones and faxes, websites) and
// answers the titles the primary slots take, for the item to set with its other texts.
std::array<std::string, TPartyObject::SlotCount> ReadCardDetails(TPartyObject& party, TCard& card)
{
    using Slot = TPartyObject::Slot;
    std::array<std::string, TPartyObject::SlotCount> primary;
    for (int slot = 0; slot < TPartyObject::SlotCount; ++slot)
        primary[static_cast<std::size_t>(slot)] = party.Primary(static_cast<Slot>(slot));
    // The first detail of each kind, which is primary when no entry of the card is preferred.
    std::array<const TKPXObject*, TPartyObject::SlotCount> first{};
    const auto made = [&](Slot slot, const TKPXObject* detail, const TCardProperty& property) {
        if (property.HasParam(ParamPref))
            primary[slot] = detail->GetTitle();
        if (!first[slot])
            first[slot] = detail;
    };
    static constexpr std::array<PropertyTake, 4> Details{{{"ADR"}, {"EMAIL"}, {"TEL"}, {"URL"}}};
    const auto [adrs, emails, tels, urls] = card.TakeProperties(Details);
    for (const TCardProperty& adr : adrs)
        made(TPartyObject::SlotAddress, ReadAddress(party, adr), adr);
    for (const TCardProperty& email : emails)
        made(TPartyObject::SlotEMail, MakeDetail(party, KindEMail, email, email.Text()), email);
    for (const TCardProperty& tel : tels)
        made(tel.HasParam(ParamFax) ? TPartyObject::SlotFax : TPartyObject::SlotPhone, ReadTel(party, tel), tel);
    for (const TCardProperty& url : urls)
        made(TPartyObject::SlotWebsite, MakeDetail(party, KindWebsite, url, url.Text()), url);
    for (std::size_t slot = 0; slot < TPartyObject::SlotCount; ++slot)
        if (primary[slot].empty() && first[slot])
            primary[slot] = first[slot]->GetTitle();
    return primary;
}

// An organization's card names it in N and FN as well.
void ReadOrganizationCard(TOrgObject& org, TCard& card)
{
    static constexpr std::array<PropertyTake, 4> Names{{{"ORG", false}, {"N", false}, {"FN", false}, {"NOTE"}}};
    const auto [orgs, ns, fns, notes] = card.TakeProperties(Names);
    // A card need not have ORG: its formatted name then names the organization.
    const TCardProperty* fn = FirstOf(fns);
    if (const TCardProperty* name = FirstOf(orgs))
        org.SetTitle(name->Value(0));
    else if (fn && fn->Text().find_first_not_of(' ') != std::string::npos)
        org.SetTitle(fn->Text());
    const std::optional<std::string> comment = NotesText(notes);
    org.SetCommentAndPrimaries(comment ? std::string_view(*comment) : std::string_view(org.GetComment()),
                               ReadCardDetails(org, card));
}

void ReadPersonCard(TPersonObject& person, TCard& card)
{
    // The names are kept as the item would store them, since the target and title are made of them.
    std::array<std::string, 5> names{CleanFieldText(person.LastName()), CleanFieldText(person.FirstName()),
                                     CleanFieldText(person.MiddleName()), CleanFieldText(person.Salutation()),
                                     CleanFieldText(person.Suffix())};
    static constexpr std::array<PropertyTake, 5> Names{
        {{"N", false}, {"FN", false}, {"ORG", false}, {"TITLE", false}, {"NOTE"}}};
    const auto [ns, fns, orgs, titles, noteList] = card.TakeProperties(Names);
    if (const TCardProperty* n = FirstOf(ns))
        for (std::size_t part = 0; part < names.size() && part < n->Values.size(); ++part)
            names[part] = CleanFieldText(n->Values[part]);
    const auto& [last, first, middle, salutation, suffix] = names;
    // Titled by the formatted name: a card's TITLE is a job title.
    const TCardProperty* fn = FirstOf(fns);
    const std::string formatted = fn ? fn->Text() : std::string();
    const std::string title = formatted.find_first_not_of(' ') != std::string::npos ? formatted : first + " " + last;
    const std::string target = salutation + " " + first + " " + last;
    const TCardProperty* org = FirstOf(orgs);
    const TCardProperty* jobTitle = FirstOf(titles);
    const std::string company = org ? OrganizationText(*org) : std::string(person.Company());
    const std::string job = jobTitle ? jobTitle->Text() : std::string(person.JobTitle());
    const std::optional<std::string> notes = NotesText(noteList);
    const std::string comment = notes ? *notes : std::string(person.GetComment());
    person.SetAllTexts({title, target, comment, ReadCardDetails(person, card), salutation, first, middle, last, company,
                        job, suffix});
    MakeYearlyReminder(person, card, "BDAY", "Birthday");
    MakeYearlyReminder(person, card, card.FindProperty("ANNIVERSARY") ? "ANNIVERSARY" : "X-ANNIVERSARY",
                       "Anniversary");
}
} // namespace

void ReadPartyCard(TPartyObject& party, TCard& card)
{
    if (auto* person = dynamic_cast<TPersonObject*>(&party))
        ReadPersonCard(*person, card);
    else
        ReadOrganizationCard(static_cast<TOrgObject&>(party), card);
}

} // namespace quillary
