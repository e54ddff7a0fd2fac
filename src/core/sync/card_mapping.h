// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"
#include "model/category_names.h"
#include "sync/card_fields.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class TPartyObject;
class TreeNode;

// The places where synchronisation meets the vCard mapping of persons and organizations.

// The card the vCard export writes for the item in the version ("3.0" or "4.0").
std::string ItemCardText(const TPartyObject& party, std::string_view version);

// The card lines that stand for the item in the version ("3.0" or "4.0"); an organization carries
// KIND:org (4.0) or X-ABShowAs:COMPANY (3.0).
std::vector<CardLine> CardOfItem(const TPartyObject& party, std::string_view version);

// Makes the item say what the card says, in place: its names, note, primary slots and the details
// a card holds (addresses, phones, faxes, e-mail addresses, websites and the "Birthday" and
// "Anniversary" reminders) are replaced, and so are the categories the slots name; documents,
// tools, other reminders and child nodes stay.
// A card of the other kind (another client made the person an organization, or back) goes to a
// new item of its kind that takes the old one's place, identifier and what stays; the result is
// the item that holds the card now.
TPartyObject& ApplyCardToItem(TPartyObject& party, std::string_view card, const CategoryNames& slots);

// A new person, or organization for a card marked as one, as the last child of parent, made from
// the card; with the identifier when given (not 0).
TPartyObject& CreateItemFromCard(TreeNode& parent, std::string_view card, const CategoryNames& slots,
                                 std::int32_t id = 0);

// What the tree makes of a card: the fields of the card a new item would write in the version
// after reading it. Comparing these, rather than the server's own lines, keeps what the tree
// cannot hold from looking like a change; categories no slot names are such.
CardFields ServerFields(std::string_view card, std::string_view version, const CategoryNames& slots);

// The fields of an item's card as the tree reads that card back: an item as it was typed in (a
// person without a composed name, say) then compares equal with the card it went up as.
CardFields LocalFields(const TPartyObject& item, std::string_view version, const CategoryNames& slots);

} // namespace quillary
