// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sync/card_fields.h"

#include <string>
#include <string_view>

namespace quillary {

// The tree keeps a birthday or an anniversary as a yearly reminder, whose date moves on a year
// each time the user advances it. Such a date is still the card's birth date: these keep the
// year the card gave, so that an advanced reminder is never uploaded as a changed birthday and a
// card brought in never takes the reminder back.

// Whether later is earlier moved on by whole years: the same month and day, a later year.
bool IsAdvancedDate(std::string_view earlier, std::string_view later);

// The item's fields with the birthday and anniversary of the agreed card wherever the item's are
// only the agreed ones advanced.
CardFields WithAgreedDates(CardFields local, const CardFields& agreed);

// A card's text with the item's birthday and anniversary wherever those are the card's advanced.
std::string WithAdvancedDates(std::string_view card, const CardFields& item);

} // namespace quillary
