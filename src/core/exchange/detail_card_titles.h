// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/vcard_property.h"

#include <string>
#include <string_view>

namespace quillary {

// The title of a detail read from a card: the label its item group gives it; else the display
// names of its parameters ("Office,Voice Line"), but not for a website; else its kind
// ("Address", "Phone", "Fax", "E-Mail", "Web URL"), so that every detail has a title a primary
// slot can name.
std::string DetailTitle(const TCardProperty& property, int kind);

// Writes a detail's title into its property: the TYPE parameters the title names (its parts
// between commas: "Home", "Work" or "Office", "Mobile" or "Cellular", "Fax", "Pager", "Voice"...,
// as far as they suit the kind and the version) are set, and when DetailTitle would not give the
// title back from them the title goes as the property's Label. The property's other parameters
// (PREF, FAX, INTERNET) must be set before.
void WriteDetailTitle(TCardProperty& property, std::string_view title, int kind, VCardVersion version);

} // namespace quillary
