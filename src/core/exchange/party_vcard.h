// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"
#include "exchange/vcard_version.h"

#include <filesystem>
#include <string>
#include <vector>

namespace quillary {

class TAddressObject;
class TKPXObject;
class TPartyObject;

// The seven ADR values of an address: no post office box, lines 2 and 3 as the extended address
// (on two lines), line 1 as the street, then city, state, postal code and country.
std::vector<std::string> AddressCardValues(const TAddressObject& address);

// The card of a person or organization in the given version: N, FN, TITLE (persons) or ORG
// (organizations), NOTE with the comment (3.0 and 4.0), and every address, phone, fax and e-mail
// address with its values whole and PREF on the primary ones. 2.1 takes each detail's own
// GetVCardLine.
TCard MakeVCard(const TPartyObject& party, VCardVersion version);

// Writes the item's card in the given version as a one-card file; false, writing nothing, for an
// item that is no person or organization. Throws FileError when the file cannot be written.
bool WriteVCard(const TKPXObject& item, const std::filesystem::path& file, VCardVersion version);

} // namespace quillary
