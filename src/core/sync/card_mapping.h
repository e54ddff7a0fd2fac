// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/card_fields.h"
#include "exchange/vcard_content_lines.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

class ItemTree;
class TPartyObject;
class TreeNode;

// The two places where synchronisation meets the vCard mapping of persons and organizations.

// The card the vCard export writes for the item in the version ("3.0" or "4.0").
std::string ItemCardText(const TPartyObject& party, std::string_view version);

// The card lines that stand for the item in the version ("3.0" or "4.0"); an organization carries
// KIND:org (4.0) or X-ABShowAs:COMPANY (3.0).
std::vector<CardLine> CardOfItem(const TPartyObject& party, std::string_view version);

// Makes the item say what the card says, in place: its names, note, primary slots and the details
// a card holds (addresses, phones, faxes, e-mail addresses, websites and the "Birthday" and
// "Anniversary" reminders) are replaced; documents, tools, other reminders and child nodes stay.
// A card of the other kind (another client made the person an organization, or back) goes to a
// new item of its kind that takes the old one's place, identifier and what stays; the result is
// the item that holds the card now.
TPartyObject& ApplyCardToItem(TPartyObject& party, std::string_view card);

// A new person, or organization for a card marked as one, as the last child of parent, made from
// the card.
TPartyObject& CreateItemFromCard(TreeNode& parent, std::string_view card);

// What the tree makes of cards: the fields of the card an item would write after reading the
// card. Comparing these, rather than the server's own lines, keeps what the tree cannot hold
// from looking like a change. Works in a scratch tree of its own.
class CardProjector
{
public:
    explicit CardProjector(std::string version);
    ~CardProjector();
    CardProjector(const CardProjector&) = delete;
    CardProjector& operator=(const CardProjector&) = delete;

    CardFields Project(std::string_view card);
    const std::string& Version() const { return m_version; }

private:
    std::string m_version;
    std::unique_ptr<ItemTree> m_scratch;
};

} // namespace quillary
