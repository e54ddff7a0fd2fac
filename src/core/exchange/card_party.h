// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"
#include "exchange/vcard_version.h"
#include "model/items_party.h"
#include "model/yearly_origin.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace quillary {

class TKPXObject;

// A contact detail or website as its item holds it.
struct CardDetail
{
    int kind = 0; // KindAddress, KindPhone, KindFax, KindEMail or KindWebsite
    std::string title;
    std::string target;                // the number, address or URL; an address's first line
    std::string extension;             // a phone's
    std::array<std::string, 3> lines{}; // an address's
    std::string city;
    std::string state;
    std::string postCode;
    std::string country;
};

// What a person or organization and its card have in common (see CardFieldRows), as the item
// holds it: texts made clean, its details and websites in the item's order.
struct CardParty
{
    bool organization = false;
    std::string title;
    std::string target;
    std::string comment;
    std::array<std::string, TPartyObject::SlotCount> primary{};
    std::string salutation;
    std::string first;
    std::string middle;
    std::string last;
    std::string suffix;
    std::string company;
    std::string jobTitle;
    // A person without a company of its own works for the organization and the teams it sits
    // under, top down.
    std::vector<std::string> units;
    std::vector<CardDetail> details;
    // As the card gives them, a date without a year kept so.
    std::optional<YearlyOrigin> birthday;
    std::optional<YearlyOrigin> anniversary;
};

// The item's fields, details, websites and the dates its first reminders titled "Birthday" and
// "Anniversary" (in any case) stand for.
CardParty PartyOfItem(const TPartyObject& party);
// An address, phone, fax, e-mail address or website; none for other kinds.
std::optional<CardDetail> DetailOfItem(const TKPXObject& item);

// The card of a person or organization in the given version (see MakeVCard).
TCard CardOfParty(const CardParty& party, VCardVersion version);
// The property of a detail with its values whole, without title or preference; an e-mail
// address marked INTERNET when internetType asks for it.
TCardProperty DetailCardProperty(const CardDetail& detail, bool internetType);
// The seven ADR values of an address: no post office box, lines 2 and 3 as the extended address
// (on two lines), line 1 as the street, then city, state, postal code and country.
std::vector<std::string> AddressCardValues(const CardDetail& address);

// What the item becomes that reads the card, as ReadPartyCard reads it; kept holds the texts it
// has before (what a card without N, ORG, TITLE or NOTE leaves as it was), and its kind. The
// card's details are added. What the reading takes is removed from the card.
CardParty ReadCardParty(TCard& card, CardParty kept);

// Makes the item say what a read card says (ReadCardParty): its texts are set, and the details
// and reminders the card holds are added.
void ApplyCardParty(TPartyObject& party, const CardParty& read);

} // namespace quillary
