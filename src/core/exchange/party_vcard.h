// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"
#include "exchange/vcard_version.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quillary {

class TKPXObject;
class TPartyObject;

// The vCard 2.1 property line of an address, phone, fax, e-mail address or website; empty for
// other kinds.
std::string DetailVCardLine(const TKPXObject& detail);

// The card of a person or organization in the given version. A person: N with the suffix, FN
// with its title, TITLE with its job title, ORG with its company, else with the organization (and
// the teams below it, as units) it sits under. An organization: N, FN and ORG with its title.
// Then NOTE with the comment; every address, phone, fax, e-mail address and website with its
// values whole, PREF on the primary ones and its title as TYPE parameters or a label (see
// WriteDetailTitle); a phone's extension; BDAY and the anniversary (ANNIVERSARY in 4.0,
// X-ANNIVERSARY before) as the reminders titled "Birthday" and "Anniversary" stand for them
// (TReminderObject::Began). 2.1 takes each detail's DetailVCardLine.
TCard MakeVCard(const TPartyObject& party, VCardVersion version);

// Fills a person or organization from a card and makes its details, using up the card's ADR,
// EMAIL and TEL properties and its first URL.
void ReadPartyCard(TPartyObject& party, TCard& card);

// Writes the item's card in the given version as a one-card file; false, writing nothing, for an
// item that is no person or organization. Throws FileError when the file cannot be written.
bool WriteVCard(const TKPXObject& item, const std::filesystem::path& file, VCardVersion version);

} // namespace quillary
