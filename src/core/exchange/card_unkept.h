// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_card.h"

#include <string>
#include <vector>

namespace quillary {

// What a card holds that the tree cannot keep, asked once the item has taken what it reads: the
// properties the reader passed over and those left in the card. Each kind of thing is named once,
// in card order, by a plural noun ("photos", "instant messaging addresses", "\"X-SHOE\" values").
// CATEGORIES (read apart) and what only describes the card itself (VERSION, PRODID, REV, UID,
// KIND, SOURCE, the printed address LABEL that repeats an ADR...) are no loss and are not named.
std::vector<std::string> UnkeptKinds(const TCard& card);

} // namespace quillary
