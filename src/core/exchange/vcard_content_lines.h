// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// One content line of a vCard 3.0 or 4.0 card, unfolded but otherwise as written, so that a line
// this program does not understand (PHOTO, X-...) can be written back exactly.
struct CardLine
{
    std::string group;   // "item1" of "item1.TEL", else empty
    std::string name;    // upper case, without the group
    std::string params;  // what stands between the name and the ":", without the leading ";"
    std::string value;   // the raw value, escapes included
    std::string spelled; // the name as the card wrote it, when it differs from name

    // The line again: group, name, parameters and value.
    std::string Text() const;
};

// A line without group or parameters.
CardLine PlainLine(std::string name, std::string value);

// The content lines of one card's text, BEGIN, END and VERSION left out, unfolded as the card
// reader unfolds them (UnfoldedCardLines); lines of any end (CR, LF, CR LF) are read.
std::vector<CardLine> ParseCardLines(std::string_view card);

// A card's text in the given version ("3.0" or "4.0"): BEGIN, VERSION, the lines folded at 75
// octets without splitting a UTF-8 sequence, END; each line ends in CR LF.
std::string WriteCardText(const std::vector<CardLine>& lines, std::string_view version);

// The version a card's text names, or empty text.
std::string CardTextVersion(std::string_view card);

// Text values: the escaped form of a text and back (a line break reads as a blank, since the
// tree's fields hold one line).
std::string EscapeCardText(std::string_view text);
std::string UnescapeCardText(std::string_view value);

} // namespace quillary
