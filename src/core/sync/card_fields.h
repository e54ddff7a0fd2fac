// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_content_lines.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillary {

// A property the tree holds once: its value as written, and the line itself.
struct CardSingle
{
    std::string value;
    CardLine line;
    bool operator==(const CardSingle& other) const { return value == other.value; }
};

// One value of a property the tree holds several of (a phone, an e-mail address, an address, a
// website): key says what it is (parameters, value and label together); lines are the property
// and the lines of its group (an "item1.X-ABLabel" label), which travel with it.
struct CardElement
{
    std::string key;
    std::vector<CardLine> lines;
    bool operator==(const CardElement& other) const { return key == other.key; }
};

// What a card says that the tree can hold, and nothing else: the names (N, FN, ORG, TITLE), the
// note, the birthday and anniversary, the phones, e-mail addresses, addresses and websites, and
// the categories (as the tree's bits, see card_categories.h).
struct CardFields
{
    std::map<std::string, CardSingle> singles;
    std::map<std::string, std::vector<CardElement>> sets;
    bool organization = false;
    std::int32_t categories = 0;
    bool operator==(const CardFields& other) const = default;
};

// The names of the single and the several-valued properties the tree holds.
const std::vector<std::string_view>& CardSingleNames();
const std::vector<std::string_view>& CardSetNames();

// Whether a line says something the tree holds (those above, KIND, X-ABShowAs and a label in the
// group of such a line): an upload replaces such lines and keeps every other.
bool IsTreeHeldLine(const CardLine& line, const std::vector<CardLine>& card);

// The fields of a card's lines. X-ANNIVERSARY counts as ANNIVERSARY; KIND:org or
// X-ABShowAs:COMPANY make an organization.
CardFields ReadCardFields(const std::vector<CardLine>& lines);

// Whether a line marks its card as an organization's: KIND:org or X-ABShowAs:COMPANY.
bool MarksOrganization(const CardLine& line);

// The value of a line as people read it: escapes undone, a "tel:" or "mailto:" dropped, N's parts
// in reading order.
std::string ReadableValue(const CardLine& line);

} // namespace quillary
