// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_version.h"

#include <list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// The version a card's "VERSION:" line names; 2.1 without one or for a version not known.
VCardVersion CardVersion(std::span<const std::string_view> lines);

// The property lines of one card (the lines between its begin and end) that the reader keeps,
// each whole:
// - 2.1: one line per property, taken when it starts with a known name after its group (FN, N,
//   ADR, TEL, EMAIL, TITLE, ORG, URL, BDAY, ANNIVERSARY, X-ANNIVERSARY, CATEGORIES, X-ABLABEL,
//   X-ABDATE; any case, a plain prefix test); a quoted-printable value ending in "=" continues on the next
//   line; the data lines after a base64 value are passed over.
// - 3.0 and 4.0: a line starting with a blank or tab continues the previous one; the properties
//   kept are those known names and NOTE, found without regard to case or group. Others, as a
//   PHOTO, are passed over without being joined.
// The names of the properties passed over (upper case, without group) go to passedOver. The lines
// kept are views of lines, or of a text added to joined for a line made of several.
std::vector<std::string_view> CardPropertyLines(std::span<const std::string_view> lines, VCardVersion version,
                                                std::list<std::string>& joined,
                                                std::vector<std::string>* passedOver = nullptr);

// Every content line of a 3.0 or 4.0 card, whatever its name, unfolded as CardPropertyLines
// unfolds them; empty lines and a continuation with no line before it are passed over.
std::vector<std::string_view> UnfoldedCardLines(std::span<const std::string_view> lines,
                                                std::list<std::string>& joined);

// The position of the ":" that ends a line's name and parameters: the first one outside double
// quotes (the first one at all after a quote left open), or npos.
std::size_t ValueColon(std::string_view line);

} // namespace quillary
