// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"
#include "exchange/vcard_version.h"

#include <filesystem>

namespace quillary {

class TKPXObject;
class TPartyObject;

// The card of a person or organization in the given version. 2.1 is the item's own MakeVCard.
// 3.0 and 4.0 carry N, FN, TITLE (persons) or ORG (organizations), NOTE with the comment, and
// every address, phone, fax and e-mail address with its values whole (a "," stays in its
// field) and PREF on the primary ones.
TCard MakeVCard(const TPartyObject& party, VCardVersion version);

// Writes the item's card in the given version as a one-card file; false, writing nothing, for an
// item that is no person or organization. Throws FileError when the file cannot be written.
bool WriteVCard(const TKPXObject& item, const std::filesystem::path& file, VCardVersion version);

} // namespace quillary
