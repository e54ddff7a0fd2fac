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
    address->SetLines(lines);
    address->SetPlace(adr.Value(AdrLocality), adr.Value(AdrRegion), adr.Value(AdrPostalCode), adr.Value(AdrCountry));
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

// Every NOTE joins the comment; a 2.1 note divided at ";" is joined again.
void ReadNotes(TKPXObject& item, TCard& card)
{
    std::string comment;
    for (const TCardProperty& note : card.TakeProperties("NOTE"))
        if (!note.Values.empty())
            comment.append(comment.empty() ? "" : " ").append(note.Text());
    if (!comment.empty())
        item.SetComment(comment);
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
} // namespace

void TPartyObject::ReadVCardDetails(TCard& card)
{
    // The slots are gathered here and set once, as setting a text rebuilds the item's texts.
    std::array<std::string, SlotCount> primary;
    for (int slot = 0; slot < SlotCount; ++slot)
        primary[static_cast<std::size_t>(slot)] = Primary(static_cast<Slot>(slot));
    // The first detail of each kind, which is primary when no entry of the card is preferred.
    std::array<const TKPXObject*, SlotCount> first{};
    const auto made = [&](Slot slot, const TKPXObject* detail, const TCardProperty& property) {
        if (property.HasParam(ParamPref))
            primary[slot] = detail->GetTitle();
        if (!first[slot])
            first[slot] = detail;
    };
    for (const TCardProperty& adr : card.TakeProperties("ADR"))
        made(SlotAddress, ReadAddress(*this, adr), adr);
    for (const TCardProperty& email : card.TakeProperties("EMAIL"))
        made(SlotEMail, MakeDetail(*this, KindEMail, email, email.Text()), email);
    for (const TCardProperty& tel : card.TakeProperties("TEL"))
        made(tel.HasParam(ParamFax) ? SlotFax : SlotPhone, ReadTel(*this, tel), tel);
    for (const TCardProperty& url : card.TakeProperties("URL"))
        made(SlotWebsite, MakeDetail(*this, KindWebsite, url, url.Text()), url);
    for (std::size_t slot = 0; slot < SlotCount; ++slot)
        if (primary[slot].empty() && first[slot])
            primary[slot] = first[slot]->GetTitle();
    SetOwnTexts(SlotText(0), {primary[0], primary[1], primary[2], primary[3], primary[4]});
}

bool TPartyObject::WriteVCard(const std::filesystem::path& file) const
{
    return quillary::WriteVCard(*this, file, VCardVersion::V21);
}

void TOrgObject::ReadVCard(TCard& card)
{
    if (const auto org = card.TakeProperty("ORG"))
        SetTitle(org->Value(0));
    // An organization's card names it in N and FN as well.
    card.TakeProperty("N");
    card.TakeProperty("FN");
    ReadNotes(*this, card);
    ReadVCardDetails(card);
}

void TPersonObject::ReadVCard(TCard& card)
{
    std::string suffix = Suffix();
    if (const auto n = card.TakeProperty("N")) {
        const auto part = [&](std::size_t index, const std::string& current) {
            return index < n->Values.size() ? n->Values[index] : current;
        };
        SetNames(part(3, Salutation()), part(1, FirstName()), part(2, MiddleName()), part(0, LastName()));
        suffix = part(4, suffix);
    }
    // Titled by the formatted name: a card's TITLE is a job title.
    const auto fn = card.TakeProperty("FN");
    const std::string formatted = fn ? fn->Text() : std::string();
    SetTitle(formatted.find_first_not_of(' ') != std::string::npos ? formatted : FirstName() + " " + LastName());
    SetTarget(Salutation() + " " + FirstName() + " " + LastName());
    const auto org = card.TakeProperty("ORG");
    const auto jobTitle = card.TakeProperty("TITLE");
    SetWorkFields(org ? OrganizationText(*org) : Company(), jobTitle ? jobTitle->Text() : JobTitle(), suffix);
    ReadNotes(*this, card);
    ReadVCardDetails(card);
    MakeYearlyReminder(*this, card, "BDAY", "Birthday");
    MakeYearlyReminder(*this, card, card.FindProperty("ANNIVERSARY") ? "ANNIVERSARY" : "X-ANNIVERSARY", "Anniversary");
}

} // namespace quillary
